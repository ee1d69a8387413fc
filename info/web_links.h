// Vendor web addresses and the version text they carry; built before the entry point runs.
#pragma once

#include <string>
#include <string_view>

extern const std::u16string ProductVersion;
extern const std::u16string VendorHost;
extern const std::u16string BaseUrl;

struct WebLinkSet {
    std::u16string DownloadUrl;
    std::u16string ContactUrl;
    std::u16string HomeUrl;
    std::u16string SessionEndUrl;
};
extern WebLinkSet WebLinks;

std::u16string ComposeDownloadUrl(std::u16string_view baseUrl, std::u16string_view loweredLanguage,
                                  std::u16string_view version);

// Called once, after the language pair is known and before any window exists.
void RebuildDownloadUrl(std::u16string_view loweredLanguage);

constexpr std::u16string_view HelpFileSuffix = u"\\Help\\Help.EN.html";
constexpr std::u16string_view NotificationUserAgent = u"Wordmere notification agent";

// The About box's lines; the product line ends with a blank, unlike the window title.
std::u16string ComposeVersionLine(std::u16string_view version);
std::u16string ComposeAboutProductLine(std::u16string_view targetLanguage);
// The start notification's object: the home address, a blank and the second language.
std::u16string ComposeStartNotificationObject(std::u16string_view homeUrl, std::u16string_view targetLanguage);
