#pragma once

// Shared-memory buffers in ARGB8888 for a surface: a small pool, so that a
// new picture never draws into a buffer the compositor still reads.

#include <cstdint>
#include <memory>
#include <vector>

struct wl_shm;
struct wl_buffer;

namespace plinth::platform::wayland {

class ShmBuffer {
 public:
  // Nothing when the memory cannot be had.
  static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, int width, int height);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  wl_buffer* buffer() const { return buffer_; }
  unsigned char* pixels() const { return static_cast<unsigned char*>(data_); }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return width_ * 4; }
  // Attached and not yet released by the compositor.
  bool busy() const { return busy_; }
  void set_busy() { busy_ = true; }

 private:
  ShmBuffer() = default;
  static void Released(void* data, wl_buffer* buffer);

  wl_buffer* buffer_ = nullptr;
  void* data_ = nullptr;
  std::size_t size_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool busy_ = false;
};

class BufferPool {
 public:
  explicit BufferPool(wl_shm* shm) : shm_(shm) {}
  // A free buffer of this size in device pixels, made if need be.
  ShmBuffer* Acquire(int width, int height);

 private:
  wl_shm* shm_;
  std::vector<std::unique_ptr<ShmBuffer>> buffers_;
};

}  // namespace plinth::platform::wayland
