// The settings map and Configuration.dat beside the executable.
#pragma once

#include <string_view>

#include "settings/settings_format.h"

extern SettingsEntries SettingsMap;

void LoadSettings();
void SaveSettings();
bool SettingIsTrue(std::u16string_view key);
