#include "response_chart.h"

namespace sublumo::curve {

QColor colour(int curve) {
    static const QColor colours[kCount] = {
        QColor(0, 0, 0),      QColor(178, 0, 0),     QColor(0, 124, 0),     QColor(0, 0, 178),
        QColor(178, 0, 178),  QColor(0, 124, 124),   QColor(178, 140, 0),   QColor(134, 44, 178),
        QColor(44, 134, 178), QColor(120, 120, 120), QColor(255, 128, 128), QColor(128, 128, 192),
        QColor(232, 110, 0),  QColor(0, 160, 200),   QColor(150, 100, 40),  QColor(200, 0, 110)};
    return curve >= 0 && curve < kCount ? colours[curve] : QColor(Qt::black);
}

}  // namespace sublumo::curve
