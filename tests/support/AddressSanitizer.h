#pragma once

// TESSAPLOT_ADDRESS_SANITIZER is defined when this code (and so the program the tests
// run, built alike) is built with the address sanitizer, which reserves terabytes of
// address space: a test that bounds the address space cannot run then.
#if defined(__SANITIZE_ADDRESS__)
#define TESSAPLOT_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSAPLOT_ADDRESS_SANITIZER 1
#endif
#endif
