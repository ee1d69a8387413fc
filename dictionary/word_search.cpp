// Word search: reads the selected panel's search box, scans the decoded text and fills the list and article view.
#include "dictionary/word_search.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/main_window.h"
#include "dictionary/article_files.h"
#include "dictionary/article_text.h"

namespace {

// The search box holds any length; only what the searches take is read, so a huge paste costs nothing.
struct SearchText {
    wchar_t units[SearchTextLimit + 1];
    std::u16string_view view;
};

void ReadSearchText(HWND searchBox, SearchText& text)
{
    text.units[0] = L'\0';
    const LRESULT length =
        SendMessageW(searchBox, WM_GETTEXT, std::size(text.units), reinterpret_cast<LPARAM>(text.units));
    const size_t read = std::min<size_t>(length > 0 ? static_cast<size_t>(length) : 0, SearchTextLimit);
    text.view = CutToLimit(std::u16string_view(reinterpret_cast<const char16_t*>(text.units), read), SearchTextLimit);
}

// Copies `units` into `buffer` with a terminator; `buffer` holds at least units.size() + 1.
const wchar_t* Terminated(std::u16string_view units, wchar_t* buffer)
{
    std::copy(units.begin(), units.end(), buffer);
    buffer[units.size()] = L'\0';
    return buffer;
}

void InsertListedHeadword(HWND list, int position, std::u16string_view headword)
{
    wchar_t buffer[ListedHeadwordLimit + 1];
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = position;
    item.pszText = const_cast<wchar_t*>(Terminated(headword, buffer));
    item.cchTextMax = static_cast<int>(headword.size());
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// Where the last word list started, for the lookup of the same keystroke: an exact match is also a
// prefix match, so that lookup starts there, and looks nowhere when the list found nothing.
struct PrefixScan {
    int direction = -1;
    size_t length = 0;
    wchar_t units[SearchTextLimit];
    HeadwordStart first{std::u16string_view::npos};
};
PrefixScan LastPrefixScan;

void RememberPrefixScan(int direction, std::u16string_view searchText, size_t first)
{
    LastPrefixScan.direction = direction;
    LastPrefixScan.length = searchText.size();
    std::copy(searchText.begin(), searchText.end(), LastPrefixScan.units);
    LastPrefixScan.first = HeadwordStart{first};
}

// The whole text from its start unless the last list was made for this very search.
ArticleLookup LookUpArticleAfterList(int direction, std::u16string_view searchText)
{
    const std::u16string_view remembered(reinterpret_cast<const char16_t*>(LastPrefixScan.units), LastPrefixScan.length);
    if (LastPrefixScan.direction == direction && remembered == searchText)
        return LookUpArticle(ArticleText(direction), searchText, LastPrefixScan.first);
    return LookUpArticle(ArticleText(direction), searchText);
}

// Holds a list's drawing while it is emptied and refilled: otherwise every inserted item redraws the
// list and its scroll bar, which costs far more than the search once the list scrolls.
class ListRedrawPause {
public:
    explicit ListRedrawPause(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    ~ListRedrawPause()
    {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    ListRedrawPause(const ListRedrawPause&) = delete;
    ListRedrawPause& operator=(const ListRedrawPause&) = delete;

private:
    HWND list_;
};

void ClearArticleView(int direction)
{
    SendMessageW(ArticleViews[direction], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

}  // namespace

void RefreshWordList()
{
    if (!ArticleEngineReady()) {
        ShowMissingArticleFileMessage();
        return;
    }
    const int direction = ActiveDirection();
    if (!IsDirection(direction))
        return;
    const HWND list = WordLists[direction];
    const ListRedrawPause pause(list);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SearchText search;
    ReadSearchText(SearchBoxes[direction], search);
    const std::u16string_view text = ArticleText(direction);
    const size_t first = FindHeadword(text, search.view, HeadwordMatch::Prefix);
    RememberPrefixScan(direction, search.view, first);
    const WordList words = first == std::u16string_view::npos ? WordList{} : ListHeadwordsFrom(text, first);
    if (words.count == 0) {
        ClearArticleView(direction);
        return;
    }
    for (size_t i = 0; i < words.count; ++i)
        InsertListedHeadword(list, static_cast<int>(i), words.headwords[i]);
}

void ShowArticle()
{
    if (!ArticleEngineReady()) {
        ShowMissingArticleFileMessage();
        return;
    }
    const int direction = ActiveDirection();
    if (!IsDirection(direction))
        return;
    SearchText search;
    ReadSearchText(SearchBoxes[direction], search);
    const ArticleLookup lookup = LookUpArticleAfterList(direction, search.view);
    if (!lookup.found) {
        ClearArticleView(direction);
    } else {
        // Kept off the stack: 100 KB there would be a lot for one call on the GUI thread.
        static wchar_t article[ArticleLimit + 1];
        SendMessageW(ArticleViews[direction], WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(Terminated(lookup.article, article)));
    }
    ShowActivePanel();
}

void PickListedWord()
{
    const int direction = ActiveDirection();
    if (!IsDirection(direction))
        return;
    const LRESULT mark = SendMessageW(WordLists[direction], LVM_GETSELECTIONMARK, 0, 0);
    if (mark < 0)
        return;
    wchar_t picked[PickedHeadwordLimit + 1] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = picked;
    item.cchTextMax = static_cast<int>(std::size(picked));
    SendMessageW(WordLists[direction], LVM_GETITEMTEXTW, static_cast<WPARAM>(mark), reinterpret_cast<LPARAM>(&item));
    SendMessageW(SearchBoxes[direction], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(picked));
    ShowArticle();
}

void ShowInitialWords()
{
    SendMessageW(SearchBoxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a"));
    RefreshWordList();
    ShowArticle();
}
