// Usage notifications: one HEAD request per thread; nothing waits for them and nothing depends on them.
#include "info/usage_notifications.h"

#include <wininet.h>

#include <memory>
#include <string>

#include "app/language_pair.h"
#include "app/win32_text.h"
#include "info/web_links.h"

HANDLE NotificationThread;

namespace {

// The thread's own copy of what it sends: the exit thread may outlive the process's strings.
struct NotificationRequest {
    std::wstring host;
    std::wstring object;
};

constexpr DWORD_PTR NotificationContext = 1;

DWORD SendHeadRequest(std::unique_ptr<NotificationRequest> request)
{
    const std::wstring agent = ToWide(NotificationUserAgent);
    const HINTERNET session = InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        return 0;
    const HINTERNET connection = InternetConnectW(session, request->host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr,
                                                  nullptr, INTERNET_SERVICE_HTTP, 0, NotificationContext);
    if (!connection) {
        InternetCloseHandle(session);
        return 0;
    }
    const HINTERNET head = HttpOpenRequestW(connection, L"HEAD", request->object.c_str(), nullptr, nullptr, nullptr,
                                            INTERNET_FLAG_KEEP_CONNECTION, NotificationContext);
    if (!head) {
        InternetCloseHandle(connection);
        InternetCloseHandle(session);
        return 0;
    }
    HttpSendRequestW(head, nullptr, 0, nullptr, 0);
    InternetCloseHandle(head);
    InternetCloseHandle(connection);
    InternetCloseHandle(session);
    return 0;
}

void StartNotification(LPTHREAD_START_ROUTINE procedure, std::u16string_view object)
{
    NotificationRequest* request = nullptr;
    try {
        request = new NotificationRequest{ToWide(VendorHost), ToWide(object)};
    } catch (...) {
        return;
    }
    const HANDLE thread = CreateThread(nullptr, 0, procedure, request, 0, nullptr);
    if (!thread) {
        delete request;
        return;
    }
    // Only the newest thread's handle is kept; an older one would otherwise never be closed.
    if (NotificationThread)
        CloseHandle(NotificationThread);
    NotificationThread = thread;
}

}  // namespace

DWORD WINAPI SendStartNotification(LPVOID request)
{
    return SendHeadRequest(std::unique_ptr<NotificationRequest>(static_cast<NotificationRequest*>(request)));
}

DWORD WINAPI SendExitNotification(LPVOID request)
{
    return SendHeadRequest(std::unique_ptr<NotificationRequest>(static_cast<NotificationRequest*>(request)));
}

void StartStartNotification()
{
    try {
        StartNotification(SendStartNotification, ComposeStartNotificationObject(WebLinks.HomeUrl, TargetLanguage));
    } catch (...) {
    }
}

void StartExitNotification()
{
    StartNotification(SendExitNotification, WebLinks.SessionEndUrl);
}

void CloseNotificationThread()
{
    if (NotificationThread)
        CloseHandle(NotificationThread);
    NotificationThread = nullptr;
}
