// For the tests that check numbers keep the C locale's "." whatever the user's locale: switches
// the process to French, as a French session does (a decimal comma for printf and iostreams),
// and back when it goes out of scope. The build makes a French locale under
// QUORBEL_TEST_LOCALES when the system has none installed.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <string>

class FrenchLocale {
public:
  FrenchLocale() : previousC_(std::setlocale(LC_ALL, nullptr)) {
    french_ = TrySet();
#ifdef QUORBEL_TEST_LOCALES
    if (!french_) {
      setenv("LOCPATH", QUORBEL_TEST_LOCALES, 1);
      french_ = TrySet();
    }
#endif
    previousCpp_ = std::locale::global(std::locale(std::locale(), new CommaPoint));
  }
  ~FrenchLocale() {
    std::setlocale(LC_ALL, previousC_.c_str());
    std::locale::global(previousCpp_);
  }
  FrenchLocale(const FrenchLocale &) = delete;
  FrenchLocale &operator=(const FrenchLocale &) = delete;

  // True when the C library itself now writes 0.5 as "0,5".
  bool CLibraryIsFrench() const {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 0.5);
    return french_ && std::string(text) == "0,5";
  }

private:
  struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  static bool TrySet() {
    return std::setlocale(LC_ALL, "fr_FR.UTF-8") || std::setlocale(LC_ALL, "fr_FR.utf8");
  }

  std::string previousC_;
  std::locale previousCpp_;
  bool french_ = false;
};
