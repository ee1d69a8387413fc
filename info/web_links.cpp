// Vendor web addresses: plain concatenations, so they are tested natively.
#include "info/web_links.h"

#include "app/language_pair.h"

const std::u16string ProductVersion = u"1.4.7 ";
const std::u16string VendorHost = u"www.wordmere.com";
const std::u16string BaseUrl = u"http://" + VendorHost + u"/";

WebLinkSet WebLinks = {
    ComposeDownloadUrl(BaseUrl, u"", ProductVersion),
    BaseUrl + u"contact_us?client=DesktopVersion_" + ProductVersion,
    BaseUrl + u"/home?client=DesktopVersion_" + ProductVersion,
    BaseUrl + u"/home?client=DesktopVersion_" + ProductVersion + u"&SessionCompleted",
};

std::u16string ComposeDownloadUrl(std::u16string_view baseUrl, std::u16string_view loweredLanguage,
                                  std::u16string_view version)
{
    std::u16string url(baseUrl);
    url.append(u"download_").append(loweredLanguage).append(u"?client=DesktopVersion_").append(version);
    return url;
}

void RebuildDownloadUrl(std::u16string_view loweredLanguage)
{
    WebLinks.DownloadUrl = ComposeDownloadUrl(BaseUrl, loweredLanguage, ProductVersion);
}

std::u16string ComposeVersionLine(std::u16string_view version)
{
    std::u16string line(u"Version ");
    return line.append(version);
}

std::u16string ComposeAboutProductLine(std::u16string_view targetLanguage)
{
    return ComposeMainWindowTitle(targetLanguage) + u" ";
}

std::u16string ComposeStartNotificationObject(std::u16string_view homeUrl, std::u16string_view targetLanguage)
{
    std::u16string object(homeUrl);
    return object.append(u" ").append(targetLanguage);
}
