// Recording the shell's "open" through registered handlers, and HTTP requests through a local proxy.
#include "web_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::wstring OpenedLog()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"wordmere-tests\\opened.txt";
}

void SetOpenCommand(const std::wstring& progId, const std::wstring& command)
{
    const std::wstring key = progId + L"\\shell\\open\\command";
    const LSTATUS status = RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    ASSERT_EQ(status, ERROR_SUCCESS) << "could not register the recorder for " << std::string(progId.begin(), progId.end());
}

}  // namespace

void RecordShellOpens()
{
    std::wstring recorder = WORDMERE_OPEN_RECORDER;
    for (wchar_t& unit : recorder)
        if (unit == L'/')
            unit = L'\\';
    const std::wstring command = L"\"" + recorder + L"\" \"%1\"";
    SetOpenCommand(L"http", command);
    SetOpenCommand(L"htmlfile", command);
    // A prefix without Wine's HTML engine has no file type for .html at all.
    const wchar_t htmlType[] = L"htmlfile";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".html", nullptr, REG_SZ, htmlType, sizeof htmlType), ERROR_SUCCESS);
    std::filesystem::create_directories(std::filesystem::path(OpenedLog()).parent_path());
    std::filesystem::remove(OpenedLog());
}

std::vector<std::wstring> ShellOpens()
{
    std::vector<std::wstring> opened;
    std::ifstream file(std::filesystem::path(OpenedLog()), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string raw = bytes.str();
    std::wstring text(raw.size() / sizeof(wchar_t), L'\0');
    raw.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line);)
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']')
            opened.push_back(line.substr(1, line.size() - 2));
    return opened;
}

RecordingProxy::RecordingProxy(Answer answer) : answer_(answer)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 8);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    EXPECT_NE(port_, 0) << "the proxy could not listen on 127.0.0.1";
    thread_ = std::thread([this] { Serve(); });
}

RecordingProxy::~RecordingProxy()
{
    closesocket(listener_);
    thread_.join();
    for (SOCKET held : held_)
        closesocket(held);
    WSACleanup();
}

std::wstring RecordingProxy::EnvironmentEntry() const
{
    return L"http_proxy=http://127.0.0.1:" + std::to_wstring(port_);
}

std::vector<std::string> RecordingProxy::Requests()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void RecordingProxy::Serve()
{
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return;
        std::string head;
        char chunk[1024];
        while (head.find("\r\n\r\n") == std::string::npos) {
            const int received = recv(client, chunk, sizeof chunk, 0);
            if (received <= 0)
                break;
            head.append(chunk, static_cast<size_t>(received));
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(head);
        }
        if (answer_ == Answer::Never) {
            held_.push_back(client);
            continue;
        }
        const char reply[] = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        send(client, reply, sizeof reply - 1, 0);
        closesocket(client);
    }
}
