#pragma once

#include "motion/frames.h"
#include "motion/player.h"
#include "motion/sequence.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A sequence file: versioned JSON text that a person can read, copy and keep under version
// control, holding the poses, the steps, the loop, and the link it was made for (data format,
// address, rate). Reading refuses, with one sentence that names the field, anything damaged, cut
// short, too large or out of range; nothing of such a file is used.
struct SequenceFile
{
    Sequence sequence;
    MotionLink link;
};

inline constexpr const char *sequenceFileSuffix = "svseq";
inline constexpr qsizetype largestSequenceFile = 1 << 20; // far more than 10,000 steps need
inline constexpr int mostSequencePoses = 1000;
inline constexpr int mostSequenceSteps = 10000;

struct SequenceFileRead
{
    std::optional<SequenceFile> file;
    QString refusal; // the sentence, naming the file and the field
};

QByteArray encodeSequenceFile(const SequenceFile &file);
// `name` is the file's name as the sentence names it.
SequenceFileRead decodeSequenceFile(const QByteArray &text, const QString &name);
// Reads the file only if it is a regular file no larger than the limit, without waiting.
SequenceFileRead readSequenceFile(const QString &path);

// The targets at every thirtieth of a second: "time_ms,s0,...,s7" rows under a header line.
QByteArray framesCsv(const Player &player);
// The same as a C header for a microcontroller to replay: `const uint8_t frames[][8]` and the
// frame rate.
QByteArray framesHeader(const Player &player, const QString &source);
