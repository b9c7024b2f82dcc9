#pragma once

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

struct OpticalDrive {
    QChar letter;        // D for the first drive, E for the next, ...
    bool ready = false;  // a disc is in it and its file system is mounted
    QString volumeName;  // the disc's label; only known when ready
    QString root;        // mount point; only known when ready
};

// The machine's optical drives, in device order.
class Drives {
public:
    virtual ~Drives() = default;

    // Empty when the drives cannot be enumerated (as opposed to a machine with none).
    virtual std::optional<std::vector<OpticalDrive>> opticalDrives() const = 0;

    std::optional<OpticalDrive> GetDrive(QChar letter) const;
};
