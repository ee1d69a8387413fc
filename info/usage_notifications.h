// The HTTP HEAD notifications sent to the vendor web host at start and at exit, each on a thread of its own.
#pragma once

#include <windows.h>

// The notification thread started last; closed, not waited for, when the main window goes.
extern HANDLE NotificationThread;

DWORD WINAPI SendStartNotification(LPVOID request);
DWORD WINAPI SendExitNotification(LPVOID request);
void StartStartNotification();
void StartExitNotification();
void CloseNotificationThread();
