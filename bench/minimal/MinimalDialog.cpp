// The yardstick for the program's launch time: the least a toolkit program
// does to show one dialog with a prompt, an entry and a button.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Minimal Dialog");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Password:"));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton("OK"));
    dialog.show();
    return app.exec();
}
