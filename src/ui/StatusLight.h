#pragma once

#include <QColor>
#include <QWidget>

class QTimer;

namespace tarvel {

// One line-status light: a round lamp with its caption ("TXD") beside it. Lit green, dark
// grey when off. Blink lights it for BlinkMs; every blink meanwhile keeps it lit.
class StatusLight : public QWidget {
    Q_OBJECT

public:
    static constexpr int BlinkMs = 100;
    static constexpr int LampSize = 12;

    StatusLight(const QString& caption, QWidget* parent = nullptr);

    bool IsLit() const { return lit_; }
    void SetLit(bool lit);
    void Blink();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    bool lit_ = false;
    QTimer* blinkTimer_;
};

} // namespace tarvel
