#pragma once
// Starting another copy of the program: a seam so that tests see what would be started.

#include <QString>
#include <QStringList>

namespace quilmo {

class TInstanceStarter {
 public:
  virtual ~TInstanceStarter() = default;
  // Starts `program` with `arguments`, detached; false when it could not be started.
  virtual bool Start(const QString& program, const QStringList& arguments) = 0;
};

class TProcessStarter : public TInstanceStarter {
 public:
  bool Start(const QString& program, const QStringList& arguments) override;
};

}  // namespace quilmo
