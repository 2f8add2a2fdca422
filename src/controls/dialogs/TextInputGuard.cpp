#include "controls/dialogs/TextInputGuard.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "controls/InputRules.h"
#include "platform/Cp932.h"

TextInputGuard::TextInputGuard(QLineEdit* edit) : QObject(edit), edit_(edit), before_(edit->text())
{
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this] { Limit(); });
    // Text the program sets is taken as it is.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!limiting_)
            before_ = text;
    });
}

QString TextInputGuard::Filtered(const QString& text) const
{
    QString kept;
    for (const char32_t c : text.toUcs4())
        if (InputCharPasses(filter_, c))
            kept += QString::fromUcs4(&c, 1);
    return kept;
}

void TextInputGuard::Limit()
{
    const std::string before = before_.toStdString();
    const std::string after = edit_->text().toStdString();
    std::size_t cursor = 0;
    QString limited;
    try {
        limited = QString::fromStdString(
            LimitInsertion(before, after, static_cast<std::size_t>(std::max(maxBytes_, 0)), cursor));
    } catch (const cp932::TextEncodingError&) {
        limited = before_;
        cursor = before.size();
    }
    if (limited != edit_->text()) {
        limiting_ = true;
        edit_->setText(limited);
        edit_->setCursorPosition(QString::fromStdString(limited.toStdString().substr(0, cursor)).size());
        limiting_ = false;
    }
    before_ = limited;
}

bool TextInputGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || forwarding_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && filter_ != 0) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && Filtered(text) != text)
            return true;
    } else if (event->type() == QEvent::InputMethod) {
        // A commit is filtered, handed to the edit and then held to the
        // limit here: the edit does not report it as typed text.
        auto* ime = static_cast<QInputMethodEvent*>(event);
        if (!ime->commitString().isEmpty()) {
            QInputMethodEvent filtered(ime->preeditString(), ime->attributes());
            filtered.setCommitString(Filtered(ime->commitString()), ime->replacementStart(), ime->replacementLength());
            forwarding_ = true;
            QCoreApplication::sendEvent(edit_, &filtered);
            forwarding_ = false;
            Limit();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
