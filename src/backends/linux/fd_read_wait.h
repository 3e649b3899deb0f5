#pragma once
// One read from a file descriptor that may block, cut short by a stop request: the wait is a
// poll() on the descriptor together with an eventfd that a std::stop_callback signals, so the
// waiting thread sleeps until data arrives or the stop, with no timer of its own.
//
// Thread: any; the descriptor is only polled and read, never closed here. Several threads may
// wait on one descriptor at once: one of them gets each record, the others wait on.

#include <cstdint>
#include <span>
#include <stop_token>

namespace gm {

// Waits until `fd` has data, then reads it once into `buffer` (a hidraw node hands out one
// report per read). `fd` should be non-blocking: data that another reader takes between the
// wait and the read then ends this read with 0 instead of blocking it past a stop request.
// timeoutMs < 0 waits without a limit. Returns the number of bytes read;
// 0 when the wait ended without data (timeout, stop requested, or the data was taken by
// another reader); -1 when the descriptor reports an error or a hang-up (a device that is
// gone, a pipe whose writer closed), or the read fails.
int ReadWhenReadable(int fd, std::span<uint8_t> buffer, int timeoutMs, const std::stop_token& stop);

}  // namespace gm
