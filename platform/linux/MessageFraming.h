// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/InstanceChannel.h"

namespace dravemo::framing {

// Wire format of one request on the main window's socket, all integers little-endian:
// uint32 message, uint32 param, uint32 n (at most kMaxPayload), n payload bytes; the reply is
// one int32 written after the message was handled.
constexpr uint32_t kMaxPayload = 65536;
constexpr size_t kHeaderSize = 12;
inline const char* const kSocketName = "TFrmDravemo";

using Deadline = std::optional<std::chrono::steady_clock::time_point>;

// Reads exactly n bytes; false on end of stream, error, when the deadline passes or when
// `cancel` (a descriptor, -1 for none) becomes readable.
bool ReadExact(int fd, void* buffer, size_t n, Deadline deadline, int cancel = -1);
// Writes all bytes without raising SIGPIPE; false on error or when the deadline passes.
bool WriteAll(int fd, const void* buffer, size_t n, Deadline deadline);

std::string EncodeRequest(const WindowMessage& message);
uint32_t DecodeU32(const unsigned char* p);
void EncodeU32(uint32_t value, unsigned char* p);

}  // namespace dravemo::framing
