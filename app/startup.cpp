// Entry point: finds the language pair, creates the main window, runs start-up in order and the message loop.
#include "app/startup.h"

#include "app/commands.h"
#include "app/language_pair.h"
#include "app/main_window.h"
#include "app/win32_text.h"
#include "desktop/hotkey_capture.h"
#include "desktop/tray_icon.h"
#include "dictionary/article_files.h"
#include "dictionary/word_search.h"
#include "info/usage_notifications.h"
#include "info/web_links.h"
#include "resources/resource.h"
#include "settings/options_dialog.h"
#include "settings/settings_file.h"

HINSTANCE AppInstance;
HWND MainWindow;

static wchar_t TitleBuffer[100];
static wchar_t ClassNameBuffer[100];

std::wstring ModuleFilePath()
{
    wchar_t path[ModulePathCapacity];
    const DWORD length = GetModuleFileNameW(nullptr, path, ModulePathCapacity);
    // A result that fills the buffer is a cut path, which would name the wrong folder.
    if (length == 0 || length >= ModulePathCapacity)
        return {};
    return std::wstring(path, length);
}

std::wstring PathBesideModule(std::u16string_view suffix)
{
    const std::wstring modulePath = ModuleFilePath();
    if (modulePath.empty())
        return {};
    return ToWide(ComposePathBesideModule(ToU16(modulePath), suffix, ModulePathCapacity));
}

void DiscoverLanguagePair()
{
    std::u16string lowered;
    const std::wstring pattern = PathBesideModule(ArticleFilePattern);
    WIN32_FIND_DATAW found;
    const HANDLE search = pattern.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        TargetLanguage = LanguageFromArticleFileName(ToU16(found.cFileName));
        lowered = LowerAsciiLetters(TargetLanguage);
    }
    RebuildDownloadUrl(lowered);
}

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN_ICON));
    // LoadIconW would pick the large image and shrink it; ask for the small one by size.
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL_ICON), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = ClassNameBuffer;
    RegisterClassExW(&windowClass);
}

bool InitializeMainWindow(HINSTANCE instance, int showCommand)
{
    AppInstance = instance;
    const HWND window = CreateWindowExW(0, ClassNameBuffer, TitleBuffer, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 380,
                                        323, nullptr, nullptr, instance, nullptr);
    if (!window)
        return false;
    SetWindowTextW(window, ToWide(ComposeMainWindowTitle(TargetLanguage)).c_str());
    MainWindow = window;
    RegisterCaptureHotkey();
    LoadSettings();
    ApplyAutostartSetting();

    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    SelectDefaultTab();
    ShowActivePanel();
    JoinClipboardViewerChain();
    StartStartNotification();

    GrayUnusedFileItems();
    LoadArticleFiles();
    DecodeArticleBuffers();
    ShowInitialWords();
    return true;
}

static int RunMessageLoop(HINSTANCE instance)
{
    const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message = {};
    // GetMessageW gives -1 on a broken queue; looping on it would spin forever.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(message.hwnd, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    DiscoverLanguagePair();
    LoadStringW(instance, IDS_APP_TITLE, TitleBuffer, static_cast<int>(std::size(TitleBuffer)));
    LoadStringW(instance, IDS_WINDOW_CLASS, ClassNameBuffer, static_cast<int>(std::size(ClassNameBuffer)));
    RegisterMainWindowClass(instance);
    if (!InitializeMainWindow(instance, showCommand))
        return 0;
    AddTrayIcon(instance);
    ApplyAlwaysOnTopSetting();
    return RunMessageLoop(instance);
}
