/* How an item ID list crosses between processes: a 32-bit length, then the
 * list's bytes, its terminator included. A null list has length 0. */
#include "item_id_proxies.h"

#include <string.h>

/* No list of ours is longer: a length past it is a corrupt message. */
enum { kLongestList = 65536 };

static ULONG ListBytes(const void* list) {
  const unsigned char* at = (const unsigned char*)list;
  ULONG total = 0;
  if (at == NULL) return 0;
  for (;;) {
    USHORT cb = 0;
    memcpy(&cb, at + total, sizeof cb);
    if (cb == 0) return total + sizeof cb;
    if (total + cb + sizeof cb > kLongestList) return 0;
    total += cb;
  }
}

static unsigned char* Aligned(unsigned char* buffer) {
  return (unsigned char*)(((ULONG_PTR)buffer + 3) & ~(ULONG_PTR)3);
}

ULONG __RPC_USER ItemIdOnWire_UserSize(ULONG* flags, ULONG start, ItemIdOnWire* list) {
  (void)flags;
  return ((start + 3) & ~3u) + sizeof(ULONG) + ListBytes(*list);
}

unsigned char* __RPC_USER ItemIdOnWire_UserMarshal(ULONG* flags, unsigned char* buffer,
                                                   ItemIdOnWire* list) {
  const ULONG bytes = ListBytes(*list);
  (void)flags;
  buffer = Aligned(buffer);
  memcpy(buffer, &bytes, sizeof bytes);
  if (bytes != 0) memcpy(buffer + sizeof bytes, *list, bytes);
  return buffer + sizeof bytes + bytes;
}

unsigned char* __RPC_USER ItemIdOnWire_UserUnmarshal(ULONG* flags, unsigned char* buffer,
                                                     ItemIdOnWire* list) {
  ULONG bytes = 0;
  (void)flags;
  buffer = Aligned(buffer);
  memcpy(&bytes, buffer, sizeof bytes);
  buffer += sizeof bytes;
  *list = NULL;
  if (bytes < sizeof(USHORT) || bytes > kLongestList) return buffer;
  *list = CoTaskMemAlloc(bytes);
  if (*list != NULL) memcpy(*list, buffer, bytes);
  return buffer + bytes;
}

void __RPC_USER ItemIdOnWire_UserFree(ULONG* flags, ItemIdOnWire* list) {
  (void)flags;
  CoTaskMemFree(*list);
  *list = NULL;
}
