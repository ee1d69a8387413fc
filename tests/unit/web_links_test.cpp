// The vendor addresses built from the host and the version text.
#include "info/web_links.h"

#include <gtest/gtest.h>

namespace {

TEST(WebLinks, AddressesCarryTheVersionWithItsBlank)
{
    const std::u16string host = u"http://" + VendorHost;
    EXPECT_EQ(ProductVersion, u"1.4.7 ");
    EXPECT_EQ(BaseUrl, host + u"/");
    EXPECT_EQ(WebLinks.ContactUrl, host + u"/contact_us?client=DesktopVersion_1.4.7 ");
    EXPECT_EQ(WebLinks.HomeUrl, host + u"//home?client=DesktopVersion_1.4.7 ");
    EXPECT_EQ(WebLinks.SessionEndUrl, host + u"//home?client=DesktopVersion_1.4.7 &SessionCompleted");
}

TEST(WebLinks, DownloadAddressNamesTheDiscoveredLanguage)
{
    const std::u16string host = u"http://" + VendorHost;
    EXPECT_EQ(WebLinks.DownloadUrl, host + u"/download_?client=DesktopVersion_1.4.7 ");
    RebuildDownloadUrl(u"greek");
    EXPECT_EQ(WebLinks.DownloadUrl, host + u"/download_greek?client=DesktopVersion_1.4.7 ");
    RebuildDownloadUrl(u"");
    EXPECT_EQ(WebLinks.DownloadUrl, host + u"/download_?client=DesktopVersion_1.4.7 ");
}

TEST(WebLinks, AboutLinesAndTheStartObject)
{
    EXPECT_EQ(ComposeVersionLine(ProductVersion), u"Version 1.4.7 ");
    EXPECT_EQ(ComposeAboutProductLine(u"Italian"), u"Wordmere English to Italian, Italian to English Talking Dictionary ");
    EXPECT_EQ(ComposeStartNotificationObject(WebLinks.HomeUrl, u"Italian"),
              u"http://" + VendorHost + u"//home?client=DesktopVersion_1.4.7  Italian");
    EXPECT_EQ(HelpFileSuffix, u"\\Help\\Help.EN.html");
}

}  // namespace
