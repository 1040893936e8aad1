#pragma once

struct RecoveryCopy;
class QWidget;

enum class RecoveryAnswer { Restore, Discard };

// Asks whether to restore a recovery copy, naming its level and the time it
// was made. Restore is the default, so Enter restores; Escape answers
// nothing and the question stays, since Discard cannot be taken back.
RecoveryAnswer askAboutRecoveryCopy(QWidget* parent, const RecoveryCopy& copy);
