#pragma once
#include <cstdint>

struct cmcCellCapsule;
struct datCh;
class indDocHost;

// The links backed by the image: own station settings, setting-mode bits and
// the list records. Each reads its field on every request, runs it through
// its codec and writes it back only when the codec reports a change.
class indActiveCellFields {
public:
    indActiveCellFields(indDocHost& host, cmcCellCapsule& request, datCh& record)
        : m_host(host), m_request(request), m_record(record) {}

    // False when the request's link is not one of these fields; result is the
    // codec's out-result otherwise.
    bool Answer(int& result);

    // The bit of the setting-mode byte a CL_SetMode_ link edits; -1 for
    // another link.
    static int32_t SetModeBit(int32_t link);

private:
    int SelfId();
    int OwnNumber(int32_t address, int32_t width, int32_t max);
    int OwnName();
    int ImageBit(int32_t address, uint8_t mask, const char* list);
    int RecordName();
    int RecordNumber(int32_t max);
    int IndvValid();
    int ShownNumber(int32_t value, int32_t max);
    int ShownText(uint8_t* name, int32_t length, bool nameCodec);
    int Choice(const char* list, int32_t& value, int& result);
    void ReadOnlyLook(uint32_t color);
    void Changed(bool makeValid);

    indDocHost& m_host;
    cmcCellCapsule& m_request;
    datCh& m_record;
};
