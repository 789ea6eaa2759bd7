#include "platform/MemoryFile.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// The handle's user data: the bytes and the reading position.
struct Owned {
  std::vector<uint8_t> bytes;
  int64_t at = 0;
  bool eof = false;

  int64_t Size() const { return static_cast<int64_t>(bytes.size()); }
};

Owned& Of(ALLEGRO_FILE* file) { return *static_cast<Owned*>(al_get_file_userdata(file)); }

bool Close(ALLEGRO_FILE* file) {
  delete &Of(file);
  return true;
}

size_t Read(ALLEGRO_FILE* file, void* into, size_t size) {
  Owned& owned = Of(file);
  const size_t left = static_cast<size_t>(owned.Size() - owned.at);
  const size_t n = size < left ? size : left;
  if (n > 0) std::memcpy(into, owned.bytes.data() + owned.at, n);
  owned.at += static_cast<int64_t>(n);
  if (n < size) owned.eof = true;
  return n;
}

size_t Write(ALLEGRO_FILE*, const void*, size_t) { return 0; }
bool Flush(ALLEGRO_FILE*) { return true; }
int64_t Tell(ALLEGRO_FILE* file) { return Of(file).at; }

bool Seek(ALLEGRO_FILE* file, int64_t offset, int whence) {
  Owned& owned = Of(file);
  const int64_t base = whence == ALLEGRO_SEEK_CUR   ? owned.at
                       : whence == ALLEGRO_SEEK_END ? owned.Size()
                                                    : 0;
  if (offset < -base || offset > owned.Size() - base) return false;
  owned.at = base + offset;
  owned.eof = false;
  return true;
}

bool Eof(ALLEGRO_FILE* file) { return Of(file).eof; }
int Error(ALLEGRO_FILE*) { return 0; }
const char* ErrorMessage(ALLEGRO_FILE*) { return ""; }
void ClearError(ALLEGRO_FILE* file) { Of(file).eof = false; }

// Steps back over the byte last read; the bytes themselves are never written.
int Unget(ALLEGRO_FILE* file, int c) {
  Owned& owned = Of(file);
  if (owned.at == 0) return EOF;
  --owned.at;
  owned.eof = false;
  return c;
}

off_t Size(ALLEGRO_FILE* file) { return static_cast<off_t>(Of(file).Size()); }

const ALLEGRO_FILE_INTERFACE kOwnedMemory = {
    nullptr, Close, Read,         Write,      Flush, Tell, Seek,
    Eof,     Error, ErrorMessage, ClearError, Unget, Size,
};

}  // namespace

ALLEGRO_FILE* OpenMemoryFile(std::vector<uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  auto* owned = new Owned{std::move(bytes)};
  ALLEGRO_FILE* file = al_create_file_handle(&kOwnedMemory, owned);
  if (file == nullptr) delete owned;
  return file;
}
