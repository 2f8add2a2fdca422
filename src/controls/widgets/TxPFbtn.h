#pragma once
// A panel that acts as a function-key button: it sinks while pressed and,
// when released, tells its form which key it stands for through the form's
// "Tag" property: "ESC" 0, "F1" 1 ... "F10" 10, by its exact object name.

#include <QFrame>
#include <QTimer>
#include <functional>

class TxPFbtn : public QFrame {
    Q_OBJECT
public:
    explicit TxPFbtn(const QString& name, QWidget* parent = nullptr);

    bool Sunken() const { return frameShadow() == QFrame::Sunken; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseDown;
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Rise();

    QTimer timer_;
    bool outline_ = false;
};
