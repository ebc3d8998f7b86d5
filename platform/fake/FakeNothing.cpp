// Keeps the fake library non-empty while it has only header-only fakes.
