#pragma once
// The named colours the own controls are painted with: fixed colours by
// their values, system colours from the application's palette.

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace vcl {
inline const QColor clNavy{0, 0, 128};
inline const QColor clWhite{255, 255, 255};
inline const QColor clBlack{0, 0, 0};
inline const QColor clSilver{192, 192, 192};
inline const QColor clGray{128, 128, 128};
inline QColor clBtnFace()
{
    return QGuiApplication::palette().color(QPalette::Button);
}
inline QColor clWindowText()
{
    return QGuiApplication::palette().color(QPalette::WindowText);
}
// The grey of disabled text: a fixed dark grey, so that the white text of
// disabled date boxes stays readable on it whatever the style's own grey.
inline const QColor clGrayText{109, 109, 109};
inline QColor clHighlight()
{
    return QGuiApplication::palette().color(QPalette::Highlight);
}
inline QColor clBtnShadow()
{
    return QGuiApplication::palette().color(QPalette::Dark);
}
inline QColor clBtnHighlight()
{
    return QGuiApplication::palette().color(QPalette::Light);
}
inline QColor clWindow()
{
    return QGuiApplication::palette().color(QPalette::Base);
}
}  // namespace vcl
