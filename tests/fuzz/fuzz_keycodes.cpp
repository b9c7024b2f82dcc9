// Key codes: any Qt key maps to 0 or to one of the codes the handlers know.
#include "form/keycodes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int key = 0;
    std::memcpy(&key, data, std::min(size, sizeof key));
    const int code = keyCode(key);
    const bool known = code == 0 || code == kKeyBackspace || code == kKeyEnter ||
                       code == kKeyEscape || code == kKeySpace ||
                       (code >= kKeyPageUp && code <= kKeyDown) || code == kKeyDelete ||
                       (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
                       (code >= kKeyF1 && code < kKeyF1 + 24) ||
                       (code >= kKeyMediaNext && code <= kKeyMediaStop);
    if (!known)
        std::abort();
    return 0;
}
