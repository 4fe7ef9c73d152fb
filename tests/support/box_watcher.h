#pragma once

// Answers every real message box that opens with its first button, recording what it showed.
// It polls from the event loop, so it sees a box while the box's own loop runs.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace kv::test {

class BoxWatcher
{
  public:
    BoxWatcher()
    {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            titles.push_back(box->windowTitle());
            texts.push_back(box->text());
            icons.push_back(box->icon());
            box->buttons().front()->click();
        });
        poll_.start();
    }
    std::vector<QString> titles;
    std::vector<QString> texts;
    std::vector<QMessageBox::Icon> icons;

  private:
    QTimer poll_;
};

} // namespace kv::test
