#include "platform/windows_api.h"

#include <bcrypt.h>

#include <algorithm>
#include <cstdint>

#include "platform/sha256.h"

namespace platform {

// CNG's SHA-256 provider, there since Windows Vista.
std::string Sha256Hex(std::string_view bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    std::uint8_t digest[32] = {};
    if (BCRYPT_SUCCESS(
            ::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
        BCRYPT_HASH_HANDLE hash = nullptr;
        if (BCRYPT_SUCCESS(::BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0))) {
            // BCryptHashData takes at most 4 GiB a call.
            std::string_view rest = bytes;
            while (!rest.empty()) {
                const ULONG chunk =
                    static_cast<ULONG>(std::min<std::size_t>(rest.size(), 1u << 30));
                ::BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(rest.data())),
                                 chunk, 0);
                rest.remove_prefix(chunk);
            }
            ::BCryptFinishHash(hash, digest, sizeof digest, 0);
            ::BCryptDestroyHash(hash);
        }
        ::BCryptCloseAlgorithmProvider(algorithm, 0);
    }
    return LowerHex(digest, sizeof digest);
}

}  // namespace platform
