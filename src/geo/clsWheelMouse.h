#pragma once
#include <QObject>

namespace kavalo {

class clsWheelMouse : public QObject {
  Q_OBJECT
};

}  // namespace kavalo
