// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace trelvane {

namespace {

struct Substitute {
    const char* designed;
    const char* installed;
};

constexpr Substitute kSubstitutes[] = {
    {"Segoe UI", "Open Sans"}, {"Segoe UI Semibold", "Open Sans"}, {"Segoe UI Light", "Open Sans"},
    {"Calibri", "Carlito"},    {"Calibri Light", "Carlito"},
};

bool hasFamily(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

}  // namespace

void registerFontSubstitutes() {
    for (const auto& s : kSubstitutes) {
        const QString designed = QString::fromLatin1(s.designed);
        if (hasFamily(designed)) {
            continue;
        }
        QFont::insertSubstitutions(designed,
                                   {QString::fromLatin1(s.installed), QStringLiteral("DejaVu Sans"),
                                    QStringLiteral("sans-serif")});
    }
}

bool isFontAvailable(const QString& family) {
    if (family.trimmed().isEmpty()) {
        return false;
    }
    if (hasFamily(family)) {
        return true;
    }
    for (const QString& substitute : QFont::substitutes(family)) {
        if (hasFamily(substitute)) {
            return true;
        }
    }
    return false;
}

QFont designFont(const QString& family, double points, int weight) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

}  // namespace trelvane
