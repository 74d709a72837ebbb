#include "platform/desktop/window_scale.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QList>
#include <QRect>
#include <QStringList>

namespace vexmire {

namespace {

constexpr double kPlainDotsPerInch = 96.0;

std::optional<double> ReadFactor(const QString& text) {
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor <= 0) return std::nullopt;
    return factor;
}

}  // namespace

DesktopScaleWish TakeScalingFromQt() {
    DesktopScaleWish wish;
    wish.everyScreen = ReadFactor(qEnvironmentVariable("QT_SCALE_FACTOR"));
    wish.eachScreen = qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return wish;
}

int ChooseWindowScale(const DesktopScaleWish& wish, const QScreen* screen, QSize window) {
    if (screen == nullptr) return 1;
    const int index = static_cast<int>(QGuiApplication::screens().indexOf(screen));
    double scale = ScreenFactor(wish.eachScreen, screen->name(), index)
                       .value_or(screen->logicalDotsPerInch() / kPlainDotsPerInch);
    scale *= wish.everyScreen.value_or(1.0);
    return WholeWindowScale(screen->availableGeometry().size(), window, scale);
}

int WholeWindowScale(QSize available, QSize window, double desktopScale) {
    if (!(desktopScale > 0)) desktopScale = 1;
    // Half up: 1.5 is 2, 1.25 is 1. Far beyond any screen, the fit decides.
    const double wished = std::floor(std::min(desktopScale, 1000.0) + 0.5);
    int fits = 1;
    if (!window.isEmpty()) {
        fits = std::min(available.width() / window.width(), available.height() / window.height());
    }
    return std::max(1, std::min(fits, static_cast<int>(wished)));
}

std::optional<double> ScreenFactor(const QString& factors, const QString& screenName,
                                   int screenIndex) {
    const QStringList entries = factors.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (int position = 0; position < entries.size(); ++position) {
        const QString& entry = entries[position];
        const qsizetype equals = entry.lastIndexOf(QLatin1Char('='));
        if (equals >= 0) {
            if (entry.left(equals).trimmed() == screenName)
                return ReadFactor(entry.mid(equals + 1));
        } else if (position == screenIndex) {
            return ReadFactor(entry);
        }
    }
    return std::nullopt;
}

QRegion ScreenPixels(const QRegion& game, int scale) {
    QRegion screen;
    for (const QRect& rect : game) screen += QRect(rect.topLeft() * scale, rect.size() * scale);
    return screen;
}

QRegion GamePixels(const QRegion& screen, int scale) {
    QRegion game;
    for (const QRect& rect : screen) {
        game += QRect(QPoint(rect.left() / scale, rect.top() / scale),
                      QPoint(rect.right() / scale, rect.bottom() / scale));
    }
    return game;
}

}  // namespace vexmire
