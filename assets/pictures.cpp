#include "assets/pictures.h"

namespace vexmire {

QString SpriteResource(QStringView drawingName) {
    return QStringLiteral(":/sprites/%1.png").arg(drawingName);
}

QString IconResource() {
    return QStringLiteral(":/icons/vexmire.png");
}

}  // namespace vexmire
