#pragma once
#include "model/cmcClipCh.h"

// The clipboard of this radio's list records: the user's clipboard owned by
// the document, and the short-lived ones of the move, clear and delete rows.
class datClipCh : public cmcClipCh {
public:
    ~datClipCh() override;
};
