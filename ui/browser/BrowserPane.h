#pragma once

#include <QString>
#include <QWidget>

// The embedded browser pane as the windows see it: a control they can send to
// an address, and nothing more. The windows handle none of its events and
// read none of its state; the pane loads, shows, and offers downloads on its
// own.
class BrowserPane : public QWidget {
public:
    using QWidget::QWidget;

    // Starts loading `address` exactly as given and returns at once.
    virtual void Navigate(const QString& address) = 0;
};
