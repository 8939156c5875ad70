#include "platform/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>

namespace plinth::platform::wayland {
std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, int width, int height) {
  if (shm == nullptr || width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<ShmBuffer> made(new ShmBuffer());
  made->width_ = width;
  made->height_ = height;
  made->size_ = static_cast<std::size_t>(made->stride()) * static_cast<std::size_t>(height);
  const int fd = memfd_create("plinth-buffer", MFD_CLOEXEC);
  if (fd < 0) return nullptr;
  if (ftruncate(fd, static_cast<off_t>(made->size_)) != 0) {
    close(fd);
    return nullptr;
  }
  made->data_ = mmap(nullptr, made->size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (made->data_ == MAP_FAILED) {
    made->data_ = nullptr;
    close(fd);
    return nullptr;
  }
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(made->size_));
  made->buffer_ =
      wl_shm_pool_create_buffer(pool, 0, width, height, made->stride(), WL_SHM_FORMAT_ARGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  static const wl_buffer_listener listener{.release = Released};
  wl_buffer_add_listener(made->buffer_, &listener, made.get());
  return made;
}

ShmBuffer::~ShmBuffer() {
  if (buffer_ != nullptr) wl_buffer_destroy(buffer_);
  if (data_ != nullptr) munmap(data_, size_);
}

void ShmBuffer::Released(void* data, wl_buffer* /*buffer*/) {
  static_cast<ShmBuffer*>(data)->busy_ = false;
}

ShmBuffer* BufferPool::Acquire(int width, int height) {
  // Buffers of another size are of no more use once free.
  std::erase_if(buffers_, [width, height](const auto& buffer) {
    return !buffer->busy() && (buffer->width() != width || buffer->height() != height);
  });
  for (const auto& buffer : buffers_) {
    if (!buffer->busy()) return buffer.get();
  }
  auto made = ShmBuffer::Create(shm_, width, height);
  if (!made) return nullptr;
  buffers_.push_back(std::move(made));
  return buffers_.back().get();
}

}  // namespace plinth::platform::wayland
