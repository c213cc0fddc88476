#pragma once
// Every address the links window opens: app-market pages on the phone and
// one page in this computer's browser. The maker keeps no pages of its own
// anywhere else, so each of its pages is the home of the app market, where the
// program is published.
//
// App-market addresses go into a command line unquoted, through the
// interpreter and then the phone's shell: they hold no blank, quote or
// character either of them would act on.
#include <QLatin1StringView>

namespace pellork::links {

inline constexpr QLatin1StringView kMarketHome{"https://www.coolapk.com/"};

// App-market pages: the maker's page and the channels in their rows' order.
inline constexpr QLatin1StringView kMakerPage = kMarketHome;
inline constexpr QLatin1StringView kFamilyChannel = kMarketHome;
inline constexpr QLatin1StringView kSkinChannel = kMarketHome;
inline constexpr QLatin1StringView kTinkeringChannel = kMarketHome;
inline constexpr QLatin1StringView kMainProgramChannel = kMarketHome;
inline constexpr QLatin1StringView kChatBackgroundChannel = kMarketHome;

// Web page.
inline constexpr QLatin1StringView kChatGroup = kMarketHome;

}  // namespace pellork::links
