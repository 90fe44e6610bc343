#pragma once
// A text that opens its address in the browser when clicked.

#include "gui/app/shell_actions.h"

#include <QLabel>

namespace kw::app {

class CHyperLink : public QLabel {
    Q_OBJECT
public:
    CHyperLink(ShellActions& shell, QWidget* parent = nullptr);
    void SetLink(const QString& text, const QString& target);
    QString Target() const { return target_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ShellActions& shell_;
    QString target_;
};

} // namespace kw::app
