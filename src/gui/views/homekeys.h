#pragma once

#include <QObject>
#include <QWidget>
#include <initializer_list>

class HomePage;

// The arrow keys move the card selection over the home page, turning the page when they
// leave it; Enter opens the selected card. Listens on the widgets that hold the focus there.
class HomeKeys : public QObject {
    Q_OBJECT
public:
    HomeKeys(HomePage& page, std::initializer_list<QWidget*> focusHolders);

    // Returns false for a key that is not one of the page's.
    bool press(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void move(int step);
    HomePage& m_page;
};
