#pragma once

#include "config/ConfigurationDiff.h"
#include "config/ConfigurationView.h"

#include <QJsonObject>

// The JSON documents of tarvel-cli (docs/cli.md gives their shape). Keys and value texts are
// the catalogue's, so a script's names stay the same from release to release.
namespace tarvel {

// {"units": [{"unit", "settings": [entry], "screens": [{"screen", "channel", "input": [entry],
// "output": [entry]}]}]}; an entry is {"key", "label", "measure", "value", "status"}.
QJsonObject ViewJson(const ConfigurationView& view);

// {"equal", "differences": [{"unit", "screen", "key", "label", "a", "b"}]}; screen 0 is a
// unit-wide setting.
QJsonObject DiffJson(const std::vector<SettingDifference>& differences);

} // namespace tarvel
