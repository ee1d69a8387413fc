// What the program sends to the outside in the tests: the shell's "open" and HTTP requests, recorded locally.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Makes the test recorder the program that opens web addresses and HTML files, and starts with an empty record.
void RecordShellOpens();
// What the shell opened since RecordShellOpens, in order.
std::vector<std::wstring> ShellOpens();

// An HTTP proxy on 127.0.0.1 that records each request's head; a silent one never answers.
class RecordingProxy {
public:
    enum class Answer { Ok, Never };
    explicit RecordingProxy(Answer answer = Answer::Ok);
    ~RecordingProxy();
    RecordingProxy(const RecordingProxy&) = delete;
    RecordingProxy& operator=(const RecordingProxy&) = delete;

    // The environment entry that points the program's internet library here.
    std::wstring EnvironmentEntry() const;
    std::vector<std::string> Requests();

private:
    void Serve();

    Answer answer_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<SOCKET> held_;
};
