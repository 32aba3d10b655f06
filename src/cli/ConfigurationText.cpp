#include "cli/ConfigurationText.h"

#include <QStringList>

#include <algorithm>

namespace tarvel {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ValueWithMeasure(const ViewEntry& entry) {
    QString value = QString::fromStdString(entry.Value);
    if (!entry.Row->Unit.empty()) {
        value += QLatin1Char(' ') + Text(entry.Row->Unit);
    }
    if (entry.Row->Status) {
        value += QStringLiteral("  (status)");
    }
    return value;
}

qsizetype LabelWidth(const ConfigurationView& view) {
    qsizetype width = 0;
    const auto widen = [&](const std::vector<ViewEntry>& entries) {
        for (const ViewEntry& entry : entries) {
            width = std::max(width, Text(entry.Row->Label).size());
        }
    };
    for (const UnitView& unit : view.Units) {
        widen(unit.Settings);
        for (const ScreenView& screen : unit.Screens) {
            widen(screen.Input);
            widen(screen.Output);
        }
    }
    return width;
}

void AddEntries(QString& text, const std::vector<ViewEntry>& entries, const QString& indent,
                qsizetype width) {
    for (const ViewEntry& entry : entries) {
        // Values line up whatever the indent: the column sits after the deepest labels.
        text += indent + Text(entry.Row->Label).leftJustified(width + 6 - indent.size()) +
                ValueWithMeasure(entry) + QLatin1Char('\n');
    }
}

// The logged form of a line: what the units receive, without the framing.
QString Logged(const std::string& wire) {
    QString line = QString::fromStdString(wire);
    while (line.endsWith(QLatin1Char('\r'))) {
        line.chop(1);
    }
    static const QString query = QStringLiteral("ZVQUERY ");
    if (line.startsWith(query)) {
        line.remove(0, query.size());
    }
    return line;
}

} // namespace

QString ShowText(const ConfigurationView& view) {
    const qsizetype width = LabelWidth(view);
    QString text;
    for (const UnitView& unit : view.Units) {
        if (!text.isEmpty()) {
            text += QLatin1Char('\n');
        }
        text += QStringLiteral("Unit %1\n").arg(unit.Unit);
        AddEntries(text, unit.Settings, QStringLiteral("  "), width);
        for (const ScreenView& screen : unit.Screens) {
            text += QStringLiteral("\nScreen %1 (unit %2, channel %3)\n")
                        .arg(screen.Screen)
                        .arg(unit.Unit)
                        .arg(screen.Channel);
            text += QStringLiteral("  Input\n");
            AddEntries(text, screen.Input, QStringLiteral("    "), width);
            text += QStringLiteral("  Output\n");
            AddEntries(text, screen.Output, QStringLiteral("    "), width);
        }
    }
    return text;
}

QString DifferencePlace(const SettingDifference& difference) {
    return difference.Screen == 0 ? QStringLiteral("unit %1").arg(difference.Unit)
                                  : QStringLiteral("screen %1").arg(difference.Screen);
}

QString DiffText(const std::vector<SettingDifference>& differences) {
    std::array<qsizetype, 3> widths{};
    std::vector<std::array<QString, 4>> rows;
    for (const SettingDifference& difference : differences) {
        rows.push_back({DifferencePlace(difference), Text(difference.Row->Label),
                        QString::fromStdString(difference.ValueA),
                        QString::fromStdString(difference.ValueB)});
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], rows.back()[column].size());
        }
    }
    QString text;
    for (const auto& row : rows) {
        text += row[0].leftJustified(widths[0] + 2) + row[1].leftJustified(widths[1] + 2) +
                row[2].leftJustified(widths[2] + 2) + row[3] + QLatin1Char('\n');
    }
    return text;
}

QStringList NotReportedLabels(char outputReplyKind) {
    QStringList labels;
    for (const SettingRow& row : SettingCatalogue()) {
        if (!row.Status && !CarriedByReply(row, outputReplyKind)) {
            labels << Text(row.Label);
        }
    }
    return labels;
}

QStringList PlanLines(const SendPlan& plan, ConnectionMode mode,
                      const std::array<int, 2>& addresses) {
    QStringList lines;
    for (const SendStep& step : plan.Steps) {
        if (step.Kind == SendStepKind::RestoreOutputs) {
            continue;
        }
        const int address = addresses[step.Unit == 2 ? 1 : 0];
        lines << Logged(StepText(step, mode, address));
    }
    return lines;
}

} // namespace tarvel
