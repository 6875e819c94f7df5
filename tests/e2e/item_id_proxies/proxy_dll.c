/* The proxy library's entry points: its class of proxies and stubs, and its
 * registration (regsvr32) under the interfaces it serves. */
#define REGISTER_PROXY_DLL
#define PROXY_CLSID_IS                               \
  {                                                  \
    0x5f0a7c3e, 0x9b21, 0x4d6e, {                    \
      0xa4, 0x18, 0x2c, 0x77, 0x3e, 0x51, 0x90, 0x6b \
    }                                                \
  }
#include "dlldata.c"
