// Preloaded into a keyboard under bench/click-path.sh: notes the time of
// every wait, read and write the process makes on its sockets, into a
// memory-mapped file, so that the notes cost no system call of their own
// and survive the keyboard being killed. Only processes whose executable
// name contains one of the comma-separated words in SYSCALL_CLOCK_PROGRAMS
// take notes; each writes SYSCALL_CLOCK_DIR/<name>-<pid>.
//
// A note is three 64-bit fields: nanoseconds (monotonic clock), kind, and
// the call's result (0 for a note taken when a call starts). The file's
// first note holds the number of notes after it in its time field.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

enum Kind { kWaitStarts = 1, kWaitEnds, kReadEnds, kWriteStarts, kWriteEnds };
typedef struct {
  int64_t nanoseconds, kind, result;
} Note;

enum { kCapacity = 1 << 20 };
static Note* notes;  // notes[0] counts; the notes follow

static void Take(int64_t kind, int64_t result) {
  if (notes == NULL || notes[0].nanoseconds >= kCapacity) return;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  Note* note = &notes[++notes[0].nanoseconds];
  note->nanoseconds = now.tv_sec * 1000000000LL + now.tv_nsec;
  note->kind = kind;
  note->result = result;
}

__attribute__((constructor)) static void Open(void) {
  const char* programs = getenv("SYSCALL_CLOCK_PROGRAMS");
  const char* dir = getenv("SYSCALL_CLOCK_DIR");
  char exe[512] = {0};
  if (programs == NULL || dir == NULL || readlink("/proc/self/exe", exe, sizeof exe - 1) < 0)
    return;
  const char* name = strrchr(exe, '/') ? strrchr(exe, '/') + 1 : exe;
  char words[512];
  snprintf(words, sizeof words, "%s", programs);
  int chosen = 0;
  for (char* word = strtok(words, ","); word != NULL; word = strtok(NULL, ","))
    if (strstr(name, word) != NULL) chosen = 1;
  if (!chosen) return;
  char path[1024];
  snprintf(path, sizeof path, "%s/%s-%d", dir, name, getpid());
  const int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const size_t size = (kCapacity + 1) * sizeof(Note);
  if (fd < 0 || ftruncate(fd, (off_t)size) != 0) return;
  void* mapped = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (mapped != MAP_FAILED) notes = mapped;
}

#define NOTED(name, result_type, params, args, starts, ends)    \
  result_type name params {                                     \
    static result_type(*real) params;                           \
    if (real == NULL) *(void**)&real = dlsym(RTLD_NEXT, #name); \
    if (starts) Take(starts, 0);                                \
    const result_type result = real args;                       \
    Take(ends, (int64_t)result);                                \
    return result;                                              \
  }

NOTED(select, int, (int n, fd_set* r, fd_set* w, fd_set* e, struct timeval* t), (n, r, w, e, t),
      kWaitStarts, kWaitEnds)
NOTED(poll, int, (struct pollfd * fds, nfds_t n, int timeout), (fds, n, timeout), kWaitStarts,
      kWaitEnds)
NOTED(recvmsg, ssize_t, (int fd, struct msghdr* message, int flags), (fd, message, flags), 0,
      kReadEnds)
NOTED(writev, ssize_t, (int fd, const struct iovec* parts, int count), (fd, parts, count),
      kWriteStarts, kWriteEnds)
