// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
int main() { return 0; }
