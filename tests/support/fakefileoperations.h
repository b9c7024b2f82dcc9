#pragma once

#include "platform/fileoperations.h"

// Records what it was asked to trash; `failing` makes every item fail.
class FakeFileOperations : public FileOperations {
public:
    QStringList asked;
    bool failing = false;

    Outcome moveToTrash(const QString& from) override
    {
        Outcome outcome;
        for (const QString& path : pathsOfSourceList(from)) {
            asked << path;
            if (failing)
                outcome.failed << path + QStringLiteral(": no se pudo");
            else
                outcome.done << path;
        }
        return outcome;
    }
};
