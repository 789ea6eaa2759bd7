#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/Log.h"
#include "support/LogCapture.h"

namespace {

// What printf itself makes of the format and arguments.
template <typename... Args>
std::string Printf(const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

template <typename... Args>
std::string Logged(const char* format, Args... args) {
  LogCapture log;
  Log(format, args...);
  return log.Text();
}

// Short texts come out exactly as printf writes them, whatever the conversion.
TEST(LogTest, Log_FormatsEveryConversionAsPrintfDoes) {
  int written = 7;
  const void* somewhere = &written;
  const char* none = nullptr;
  const std::string cases[][2] = {
      {Logged("%d %i %5d|%-5d|%+d %05d", -3, 4, 42, 42, 9, -12),
       Printf("%d %i %5d|%-5d|%+d %05d", -3, 4, 42, 42, 9, -12)},
      {Logged("%u %x %X %#o %hhd %hd", 4000000000u, 255u, 3054u, 8u, 300, 70000),
       Printf("%u %x %X %#o %hhd %hd", 4000000000u, 255u, 3054u, 8u, 300, 70000)},
      {Logged("%ld %lld %llu %zu %td %jd", -5L, -6LL, 7ULL, size_t{8}, ptrdiff_t{-9}, intmax_t{10}),
       Printf("%ld %lld %llu %zu %td %jd", -5L, -6LL, 7ULL, size_t{8}, ptrdiff_t{-9},
              intmax_t{10})},
      {Logged("%f %.2f %10.3e %g %G %a %Lf", 1.5, 2.345, 12345.678, 0.0001, 1e20, 0.5, 2.5L),
       Printf("%f %.2f %10.3e %g %G %a %Lf", 1.5, 2.345, 12345.678, 0.0001, 1e20, 0.5, 2.5L)},
      {Logged("%c%c %p %%", 'o', 'k', somewhere), Printf("%c%c %p %%", 'o', 'k', somewhere)},
      {Logged("[%s] [%8s] [%-8s] [%.2s]", "abc", "abc", "abc", "abc"),
       Printf("[%s] [%8s] [%-8s] [%.2s]", "abc", "abc", "abc", "abc")},
      {Logged("[%s]", none), "[(null)]"},
      {Logged("%*d|%-*d|%.*s|%.*s", 6, 1, 4, 2, 3, "abcdef", -1, "xy"),
       Printf("%*d|%-*d|%.*s|%.*s", 6, 1, 4, 2, 3, "abcdef", -1, "xy")},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

// A text longer than the limit is cut there and marked; one of exactly the limit is whole, and a
// precision still counts from the start.
TEST(LogTest, Log_CutsTextsLongerThanTheLimit) {
  const std::string limit(kLogTextLimit, 'a');
  const std::string longer = limit + "bbbb";
  EXPECT_EQ(Logged("Failed to load %s from the Sound List\n", longer.c_str()),
            "Failed to load " + limit + "... from the Sound List\n");
  EXPECT_EQ(Logged("<%s>", limit.c_str()), "<" + limit + ">");
  EXPECT_EQ(Logged("<%.3s>", longer.c_str()), "<aaa>");
}

// The text is never read past the limit, so one whose end lies gigabytes away (or nowhere) costs
// no more than the limit; the sanitizer build checks that nothing beyond it is touched.
TEST(LogTest, Log_ReadsATextNoFurtherThanTheLimit) {
  const size_t size = kLogTextLimit + 1;
  const auto unterminated = std::make_unique<char[]>(size);
  std::memset(unterminated.get(), 'x', size);
  const std::string logged = Logged("%s!", unterminated.get());
  EXPECT_EQ(logged, std::string(kLogTextLimit, 'x') + "...!");
  EXPECT_EQ(Logged("%.4s", unterminated.get()), "xxxx");
}

}  // namespace
