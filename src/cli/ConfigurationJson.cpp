#include "cli/ConfigurationJson.h"

#include <QJsonArray>

namespace tarvel {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonArray Entries(const std::vector<ViewEntry>& entries) {
    QJsonArray array;
    for (const ViewEntry& entry : entries) {
        array.append(QJsonObject{
            {QStringLiteral("key"), Text(entry.Row->Key)},
            {QStringLiteral("label"), Text(entry.Row->Label)},
            {QStringLiteral("measure"), Text(entry.Row->Unit)},
            {QStringLiteral("value"), QString::fromStdString(entry.Value)},
            {QStringLiteral("status"), entry.Row->Status},
        });
    }
    return array;
}

} // namespace

QJsonObject ViewJson(const ConfigurationView& view) {
    QJsonArray units;
    for (const UnitView& unit : view.Units) {
        QJsonArray screens;
        for (const ScreenView& screen : unit.Screens) {
            screens.append(QJsonObject{
                {QStringLiteral("screen"), screen.Screen},
                {QStringLiteral("channel"), screen.Channel},
                {QStringLiteral("input"), Entries(screen.Input)},
                {QStringLiteral("output"), Entries(screen.Output)},
            });
        }
        units.append(QJsonObject{
            {QStringLiteral("unit"), unit.Unit},
            {QStringLiteral("settings"), Entries(unit.Settings)},
            {QStringLiteral("screens"), screens},
        });
    }
    return QJsonObject{{QStringLiteral("units"), units}};
}

QJsonObject DiffJson(const std::vector<SettingDifference>& differences) {
    QJsonArray array;
    for (const SettingDifference& difference : differences) {
        array.append(QJsonObject{
            {QStringLiteral("unit"), difference.Unit},
            {QStringLiteral("screen"), difference.Screen},
            {QStringLiteral("key"), Text(difference.Row->Key)},
            {QStringLiteral("label"), Text(difference.Row->Label)},
            {QStringLiteral("a"), QString::fromStdString(difference.ValueA)},
            {QStringLiteral("b"), QString::fromStdString(difference.ValueB)},
        });
    }
    return QJsonObject{
        {QStringLiteral("equal"), differences.empty()},
        {QStringLiteral("differences"), array},
    };
}

} // namespace tarvel
