// SPDX-License-Identifier: MIT
#include "primary_selection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <optional>

namespace trelvane {

namespace {

std::optional<QString>& inProgram() {
    static std::optional<QString> kept;
    return kept;
}

bool platformHasOne() {
    return QGuiApplication::clipboard()->supportsSelection();
}

}  // namespace

bool hasPrimarySelection() {
    return platformHasOne() || inProgram().has_value();
}

void setPrimarySelection(const QString& text) {
    if (platformHasOne()) {
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    } else if (inProgram()) {
        *inProgram() = text;
    }
}

QString primarySelection() {
    if (platformHasOne()) {
        return QGuiApplication::clipboard()->text(QClipboard::Selection);
    }
    return inProgram().value_or(QString());
}

void keepPrimarySelectionInProgram() {
    if (!inProgram()) {
        inProgram() = QString();
    }
}

}  // namespace trelvane
