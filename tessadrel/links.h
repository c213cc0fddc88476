#pragma once
// Every address the program opens: pages opened in this computer's browser,
// and app-market pages opened on the phone. The maker keeps no pages of its
// own anywhere else, so each of its pages is the home of the app market, where
// the program is published.
//
// App-market addresses go into a command line unquoted, through the
// interpreter and then the phone's shell: they hold no blank, quote or
// character either of them would act on.
#include <QLatin1StringView>

namespace tessadrel::links {

inline constexpr QLatin1StringView kMarketHome{"https://www.coolapk.com/"};

// Help: adb needs no driver here, only USB access to the phone, which the
// device set-up page explains; the second button fetches the tools themselves.
inline constexpr QLatin1StringView kDeviceSetup{"https://developer.android.com/studio/run/device"};
inline constexpr QLatin1StringView kPlatformTools{
    "https://developer.android.com/tools/releases/platform-tools"};
inline constexpr QLatin1StringView kEditionThree = kMarketHome;

// Flashing: the recovery project's list of supported phones.
inline constexpr QLatin1StringView kRecoveryDevices{"https://twrp.me/Devices/"};

// About: web pages.
inline constexpr QLatin1StringView kUpdateFolder = kMarketHome;
inline constexpr QLatin1StringView kChatGroup = kMarketHome;
inline constexpr QLatin1StringView kIconSite{"https://fonts.google.com/icons"};
inline constexpr QLatin1StringView kAndroidSource{"https://source.android.com/"};
inline constexpr QLatin1StringView kAdbReference{"https://developer.android.com/tools/adb"};

// About: app-market pages, the maker's page and the channels in their rows' order.
inline constexpr QLatin1StringView kMakerPage = kMarketHome;
inline constexpr QLatin1StringView kProgramChannel = kMarketHome;
inline constexpr QLatin1StringView kPhoneToolChannel = kMarketHome;
inline constexpr QLatin1StringView kThemeChannel = kMarketHome;
inline constexpr QLatin1StringView kArticleChannel = kMarketHome;
inline constexpr QLatin1StringView kWallpaperChannel = kMarketHome;
inline constexpr QLatin1StringView kSkinChannel = kMarketHome;

}  // namespace tessadrel::links
