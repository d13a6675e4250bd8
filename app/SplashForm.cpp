#include "app/SplashForm.h"

#include "forms/Look.h"
#include "ui_SplashForm.h"

#include <QCoreApplication>

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::SplashForm>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::showAndPaint()
{
    qv::look::centreOnScreen(*this);
    show();
    repaint();
    QCoreApplication::processEvents();
}
