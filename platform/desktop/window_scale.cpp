#include "platform/desktop/window_scale.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QList>
#include <QRect>
#include <QRectF>
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
    const qreal ratio = std::max<qreal>(1, screen->devicePixelRatio());
    const bool onWayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const double desktop = onWayland ? 1.0 : screen->logicalDotsPerInch() / kPlainDotsPerInch;
    const double scale = ratio * ScreenFactor(wish.eachScreen, screen->name(), index)
                                     .value_or(desktop) * wish.everyScreen.value_or(1.0);
    return WholeWindowScale(screen->availableGeometry().size() * ratio, window, scale);
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

QSize WindowSizeInUnits(QSize window, int devicePixels, qreal ratio) {
    const qreal scale = devicePixels / std::max<qreal>(ratio, 1);
    return QSize(static_cast<int>(std::ceil(window.width() * scale)),
                 static_cast<int>(std::ceil(window.height() * scale)));
}

QFont FontAtWindowScale(QFont font, int devicePixels, qreal ratio, qreal dotsPerInch) {
    if (!(ratio > 0) || !(dotsPerInch > 0)) return font;
    const qreal units = std::max(devicePixels, 1) / ratio;
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * kPlainDotsPerInch / dotsPerInch * units);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * units))));
    }
    return font;
}

QRect CentredOver(const QRect& other, QSize size, const QRect& screen) {
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(other.center());
    placed.moveLeft(std::max(screen.left(),
                             std::min(placed.left(), screen.right() + 1 - placed.width())));
    placed.moveTop(std::max(screen.top(),
                            std::min(placed.top(), screen.bottom() + 1 - placed.height())));
    return placed;
}

QRegion ScreenPixels(const QRegion& game, qreal scale) {
    QRegion screen;
    for (const QRect& rect : game) {
        screen += QRectF(QPointF(rect.topLeft()) * scale, QSizeF(rect.size()) * scale)
                      .toAlignedRect();
    }
    return screen;
}

QRegion GamePixels(const QRegion& screen, qreal scale) {
    QRegion game;
    for (const QRect& rect : screen) {
        game += QRectF(QPointF(rect.topLeft()) / scale, QSizeF(rect.size()) / scale)
                    .toAlignedRect();
    }
    return game;
}

}  // namespace vexmire
