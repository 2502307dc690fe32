// Credential cipher timings: one password encryption and one decryption
// (16-byte and 255-byte texts) through the pane's whole path (key word,
// SHA-256 key derivation, key schedule, padding, AES-256-CBC, hexadecimal),
// next to OpenSSL's EVP AES-256-CBC over the same padded bytes with a fixed
// key, context set up per call.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <string>
#include <vector>

#include "securitypane/aes_cbc.h"
#include "securitypane/credential_codec.h"

namespace {

using namespace securitypane;

std::string text(int64_t length) { return std::string(static_cast<size_t>(length), 'p'); }

void PaneEncrypt(benchmark::State& state) {
  const std::string password = text(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ZNCFStringEncodeWithEncrypt(password, kPanelKeyId, kPanelKeySubId));
  }
}

void PaneDecrypt(benchmark::State& state) {
  const std::string stored = *ZNCFStringEncodeWithEncrypt(text(state.range(0)), kPanelKeyId, kPanelKeySubId);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ZNCFStringDecodeWithDecrypt(stored, kPanelKeyId, kPanelKeySubId));
  }
}

// The padded bytes the pane encrypts for a text of `length` bytes.
std::vector<uint8_t> padded(int64_t length) {
  const size_t total = ZN_QEL_AES_PaddedLength(static_cast<size_t>(length));
  std::vector<uint8_t> bytes(total, static_cast<uint8_t>(total - static_cast<size_t>(length) - 1));
  for (int64_t i = 0; i < length; ++i) bytes[static_cast<size_t>(i)] = 'p';
  return bytes;
}

void OpenSSLCbc(benchmark::State& state, bool encrypt) {
  const std::vector<uint8_t> input = padded(state.range(0));
  std::vector<uint8_t> output(input.size() + 16);
  const uint8_t key[32] = {1, 2, 3, 4};
  const uint8_t iv[16] = {5, 6, 7, 8};
  for (auto _ : state) {
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    int n = 0, tail = 0;
    EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key, iv, encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
    EVP_CipherUpdate(ctx, output.data(), &n, input.data(), static_cast<int>(input.size()));
    EVP_CipherFinal_ex(ctx, output.data() + n, &tail);
    EVP_CIPHER_CTX_free(ctx);
    benchmark::DoNotOptimize(output.data());
  }
}

void OpenSSLEncrypt(benchmark::State& state) { OpenSSLCbc(state, true); }
void OpenSSLDecrypt(benchmark::State& state) { OpenSSLCbc(state, false); }

BENCHMARK(PaneEncrypt)->Arg(16)->Arg(255);
BENCHMARK(OpenSSLEncrypt)->Arg(16)->Arg(255);
BENCHMARK(PaneDecrypt)->Arg(16)->Arg(255);
BENCHMARK(OpenSSLDecrypt)->Arg(16)->Arg(255);

}  // namespace

BENCHMARK_MAIN();
