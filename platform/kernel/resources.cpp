// The table of embedded resources and the Windows-style access to it.
#include <cstdlib>
#include <cstring>

#include "platform/kernel/resources.h"
#include "text/letters.h"

namespace plat {

namespace {

struct Table {
  const ResourceEntry* entries;
  std::size_t count;
};

std::vector<Table>& tables() {
  static std::vector<Table> t;
  return t;
}

// A resource type or name: a number, or a text ("#n" is the number n).
struct Key {
  bool numeric = false;
  unsigned id = 0;
  std::string name;  // upper case
};

Key key_of(LPCSTR p) {
  Key k;
  if (IS_INTRESOURCE(p)) {
    k.numeric = true;
    k.id = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(p));
    return k;
  }
  if (p[0] == '#') {
    char* end = nullptr;
    unsigned long v = std::strtoul(p + 1, &end, 10);
    if (end != p + 1 && *end == '\0' && v <= 0xffff) {
      k.numeric = true;
      k.id = static_cast<unsigned>(v);
      return k;
    }
  }
  k.name = text::asciiupper(p);
  return k;
}

bool module_ok(HMODULE module) { return module == nullptr || module == GetModuleHandleA(nullptr); }

}  // namespace

ResourceRegistration::ResourceRegistration(const ResourceEntry* entries, std::size_t count) {
  tables().push_back(Table{entries, count});
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!module_ok(module) || name == nullptr || type == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Key t = key_of(type);
  Key n = key_of(name);
  bool type_seen = false;
  // Only numeric types exist in compiled scripts.
  if (t.numeric) {
    for (const Table& tab : tables()) {
      for (std::size_t i = 0; i < tab.count; ++i) {
        const ResourceEntry& e = tab.entries[i];
        if (e.type != t.id) continue;
        type_seen = true;
        bool hit = n.numeric ? (e.name == nullptr && e.id == n.id)
                             : (e.name != nullptr && n.name == e.name);
        if (hit) return &e;
      }
    }
  }
  SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (!module_ok(module) || resource == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return resource;
}

const void* LockResource(HGLOBAL loaded) {
  if (loaded == nullptr) return nullptr;
  return static_cast<const ResourceEntry*>(loaded)->data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (!module_ok(module) || resource == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return resource->size;
}

std::span<const BYTE> resource_bytes(LPCSTR name, LPCSTR type) {
  HRSRC r = FindResourceA(nullptr, name, type);
  if (r == nullptr) return {};
  return {r->data, r->size};
}

int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  if (!module_ok(module) || buffer == nullptr || size <= 0) return 0;
  HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), RT_STRING);
  if (r == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  std::size_t n = r->size < static_cast<std::size_t>(size - 1) ? r->size : static_cast<std::size_t>(size - 1);
  if (n > 0) std::memcpy(buffer, r->data, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace plat
