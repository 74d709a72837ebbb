#include "platform/painter/game_font.h"

#include <cmath>

#include <QFontDatabase>
#include <QStringList>

namespace vexmire {

namespace {

constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

QString GameFontFamily(const std::string& face) {
    const QString wanted = QString::fromStdString(face);
    static const QStringList installed = QFontDatabase::families();
    return installed.contains(wanted, Qt::CaseInsensitive) ? wanted : QString(kFallbackFamily);
}

QFont GameFont(const Font& font) {
    QFont qfont(GameFontFamily(font.face));
    qfont.setPixelSize(static_cast<int>(std::lround(font.points * kPixelsPerPoint)));
    qfont.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    qfont.setItalic(false);
    qfont.setUnderline(false);
    qfont.setStrikeOut(false);
    return qfont;
}

}  // namespace vexmire
