// The payload decoder: LZSS over a 4096-byte window whose literals and match lengths come in
// an adaptive Huffman code and whose match positions come in a fixed code. One stream at a
// time is decoded into the open destination file in blocks of 1024 bytes.
#include "core/payload_decoder.h"

#include <string.h>

#include <bit>

#include <emmintrin.h>

// The search for the end of a frequency run reads four 16-bit entries as one 64-bit value.
static_assert(std::endian::native == std::endian::little);

const DWORD RING_SIZE = 4096;      // bytes of history a match may reach back into
const DWORD MAX_MATCH = 60;        // longest match
const DWORD MATCH_THRESHOLD = 2;   // matches are 3 bytes or more
const UINT SYMBOL_COUNT = 314;     // 0 to 255 literals, 256 to 313 match lengths 3 to 60
const UINT NODE_COUNT = 627;       // nodes of the tree; a Child value from here on is a leaf
const UINT ROOT_NODE = 626;
const UINT MAX_FREQ = 0x8000;      // root frequency at which the tree is rebuilt
const DWORD RING_PREFILL = 4036;   // RING_SIZE - MAX_MATCH spaces precede the first byte
const DWORD OUTPUT_BLOCK = 1024;   // size of every write but the last

// The ring's history lives in a longer flat window so that no match copy wraps: the 4096
// bytes before WindowPosition are the ring, and when the window fills up they move back to
// its start together with the bytes not yet written.
const DWORD WINDOW_SIZE = 32768;
const DWORD COPY_SLACK = 64;       // a match copy may store this far past its last byte
const DWORD WINDOW_LIMIT = WINDOW_SIZE - MAX_MATCH - COPY_SLACK;  // slide before passing this

// Symbols are found by one look-up of the next TOP_BITS bits, which resolves the top levels
// of the tree; deeper codes walk on from the node it reaches one bit at a time.
// Five bits measured fastest: more levels are outdated by node moves too often to pay.
const UINT TOP_BITS = 5;
const UINT TOP_SIZE = 1u << TOP_BITS;

const UINT FREQ_SENTINELS = 16;  // 0xFFFF after the last node, read up to sixteen at a time

// Whether the leaf is exchanged without a branch is decided afresh after every
// LEAF_SAMPLE_SIZE updates: when more than LEAF_SAMPLE_MOVES of them moved it, a branch would
// guess wrong too often.
const UINT LEAF_SAMPLE_SIZE = 256;
const UINT LEAF_SAMPLE_MOVES = 40;

const UINT POSITION_BITS = 14;     // the longest position code: 8 prefix bits and 6 low bits

// Upper six bits of a match position and the length of their prefix code, by the next 8
// stream bits. Derived from the code's groups: 1, 3, 8, 12, 24 and 16 values take codes of
// 3 to 8 bits, so each value fills a run of 32, 16, 8, 4, 2 or 1 consecutive indexes.
struct PositionTables {
    BYTE UpperBits[256];   // d_code: 0 to 63
    BYTE CodeLength[256];  // d_len: 3 to 8
};

static constexpr PositionTables MakePositionTables()
{
    const UINT valuesInGroup[6] = {1, 3, 8, 12, 24, 16};
    PositionTables tables = {};
    UINT index = 0;
    UINT upper = 0;
    for (UINT group = 0; group < 6; group++) {
        UINT run = 256u >> (3 + group);
        for (UINT v = 0; v < valuesInGroup[group]; v++, upper++) {
            for (UINT k = 0; k < run; k++, index++) {
                tables.UpperBits[index] = (BYTE)upper;
                tables.CodeLength[index] = (BYTE)(3 + group);
            }
        }
    }
    return tables;
}

static constexpr PositionTables Position = MakePositionTables();
static_assert(Position.UpperBits[31] == 0 && Position.UpperBits[32] == 1 &&
              Position.UpperBits[80] == 4 && Position.UpperBits[144] == 12 &&
              Position.UpperBits[192] == 24 && Position.UpperBits[255] == 63);
static_assert(Position.CodeLength[79] == 4 && Position.CodeLength[143] == 5 &&
              Position.CodeLength[240] == 8);

// One entry of the top-level look-up: where TOP_BITS bits of code lead from the root.
struct TopEntry {
    WORD Node;    // node reached, 0 to 626; a leaf when its Child is NODE_COUNT or more
    BYTE Bits;    // code bits that lead there, 1 to TOP_BITS
    DWORD Stamp;  // TopGeneration when filled in; any other value means not filled
};

// The decoder's whole state, valid during one DecodePayload call.
struct PayloadDecoderState {
    const BYTE* InputCursor;      // next stream byte not yet taken into BitBuffer
    DWORD InputRemaining;         // stream bytes not yet taken, 0 to the stream length
    ULONGLONG InputPadding;       // zero bytes taken after the stream ran out
    DWORD StreamLength;           // the stream's length in bytes
    DWORD OutputRemaining;        // bytes still to produce; never below 0
    HWND Page;                    // handed to ProgressReport
    HANDLE OutputFile;            // the destination, open for writing
    ProgressReportProc ProgressReport;  // told of every write; may be NULL
    DWORD OutputStored;           // sum of the counts the writes reported as stored
    DWORD OutputFill;             // decoded bytes not yet written, 0 to 1023 between symbols
    DWORD BlockStart;             // Window index of the first of them
    ULONGLONG BitBuffer;          // stream bits not yet used, the next one at bit 63; the
                                  // bits below the BitCount valid ones are 0 or the stream's
    UINT BitCount;                // valid bits in BitBuffer, 0 to 64
    BYTE Window[WINDOW_SIZE];     // decoded bytes; the 4096 before WindowPosition are the ring
    DWORD WindowPosition;         // where the next decoded byte goes, 4096 to WINDOW_LIMIT
                                  // before each symbol, at most MAX_MATCH more after it
    WORD Freq[NODE_COUNT + FREQ_SENTINELS];  // frequency of each node, nondecreasing; from
                                             // [627] on sentinels of 0xFFFF
    WORD Parent[NODE_COUNT + SYMBOL_COUNT];  // parent of nodes 0 to 626 (0 for the root),
                                             // then at 627 + s the leaf node of symbol s
    WORD Child[NODE_COUNT];       // first of an internal node's two children (the second
                                  // follows it), or 627 + symbol for a leaf
    TopEntry Top[TOP_SIZE];       // the top levels of the tree by the next TOP_BITS bits
    DWORD TopReads[NODE_COUNT];   // TopGeneration when an entry of Top followed the node's
                                  // Child; exchanging such a node outdates Top
    BOOL LeafAlwaysExchanged;     // the leaf is exchanged, with itself if need be, every time
    UINT LeafMoves;               // updates of the current sample that moved the leaf
    UINT LeafUpdatesLeft;         // updates still to come in the current sample
    DWORD TopGeneration;          // changes whenever Top may be outdated; never 0
};

static PayloadDecoderState PayloadDecoder;

// ---- Bit reader ----
// The decoding loop keeps BitBuffer and BitCount in a local BitWindow while it runs, so that
// they live in registers, and puts them back into PayloadDecoder when it ends.

struct BitWindow {
    ULONGLONG Buffer;  // as PayloadDecoder.BitBuffer
    UINT Count;        // as PayloadDecoder.BitCount
};

// Takes stream bytes into the window until it holds at least 57 bits; past the stream's
// end the bytes taken are zeros.
static inline void TopUpBits(BitWindow& bits)
{
    PayloadDecoderState& d = PayloadDecoder;
    if (d.InputRemaining >= 8) {
        // Eight bytes at once; only the whole bytes that fit are counted as taken, and the
        // bits of the next one that spill below them are its own, so taking it again is
        // harmless.
        const BYTE* p = d.InputCursor;
        ULONGLONG next = ((ULONGLONG)p[0] << 56) | ((ULONGLONG)p[1] << 48) |
                         ((ULONGLONG)p[2] << 40) | ((ULONGLONG)p[3] << 32) |
                         ((ULONGLONG)p[4] << 24) | ((ULONGLONG)p[5] << 16) |
                         ((ULONGLONG)p[6] << 8) | (ULONGLONG)p[7];
        UINT taken = (63 - bits.Count) >> 3;
        bits.Buffer |= next >> bits.Count;
        d.InputCursor += taken;
        d.InputRemaining -= taken;
        bits.Count += taken * 8;
        return;
    }
    while (bits.Count <= 56) {
        ULONGLONG byte = 0;
        if (d.InputRemaining > 0) {
            byte = *d.InputCursor++;
            d.InputRemaining--;
        } else {
            d.InputPadding++;
        }
        bits.Buffer |= byte << (56 - bits.Count);
        bits.Count += 8;
    }
}

// The next `count` bits (1 to 32) without using them up; the window must hold them.
static inline UINT PeekBits(const BitWindow& bits, UINT count)
{
    return (UINT)(bits.Buffer >> (64 - count));
}

static inline void DropBits(BitWindow& bits, UINT count)
{
    bits.Buffer <<= count;
    bits.Count -= count;
}

static inline UINT ReadBit(BitWindow& bits)
{
    if (bits.Count == 0) TopUpBits(bits);
    UINT bit = PeekBits(bits, 1);
    DropBits(bits, 1);
    return bit;
}

// ---- The adaptive code ----

static inline void OutdateTop()
{
    PayloadDecoderState& d = PayloadDecoder;
    d.TopGeneration++;
    if (d.TopGeneration == 0) {
        // After 2^32 changes old stamps could look current again: forget them all.
        memset(d.Top, 0, sizeof d.Top);
        memset(d.TopReads, 0, sizeof d.TopReads);
        d.TopGeneration = 1;
    }
}

// Leaves at nodes 0 to 313 in symbol order, each with frequency 1, joined pairwise upwards.
static void ResetHuffmanTree()
{
    PayloadDecoderState& d = PayloadDecoder;
    for (UINT s = 0; s < SYMBOL_COUNT; s++) {
        d.Freq[s] = 1;
        d.Child[s] = (WORD)(s + NODE_COUNT);
        d.Parent[s + NODE_COUNT] = (WORD)s;
    }
    for (UINT i = 0, j = SYMBOL_COUNT; j < NODE_COUNT; i += 2, j++) {
        d.Freq[j] = (WORD)(d.Freq[i] + d.Freq[i + 1]);
        d.Child[j] = (WORD)i;
        d.Parent[i] = d.Parent[i + 1] = (WORD)j;
    }
    for (UINT i = NODE_COUNT; i < NODE_COUNT + FREQ_SENTINELS; i++) d.Freq[i] = 0xFFFF;
    d.Parent[ROOT_NODE] = 0;
    d.LeafAlwaysExchanged = FALSE;
    d.LeafMoves = 0;
    d.LeafUpdatesLeft = LEAF_SAMPLE_SIZE;
    OutdateTop();
}

// Halves every leaf's frequency (rounding up) and builds the tree anew from the leaves in
// their order, each joined node placed after all nodes of equal frequency.
static void RebuildHuffmanTree()
{
    PayloadDecoderState& d = PayloadDecoder;
    UINT j = 0;
    for (UINT i = 0; i < NODE_COUNT; i++) {
        if (d.Child[i] >= NODE_COUNT) {
            d.Freq[j] = (WORD)((d.Freq[i] + 1) / 2);
            d.Child[j] = d.Child[i];
            j++;
        }
    }
    for (UINT i = 0, node = SYMBOL_COUNT; node < NODE_COUNT; i += 2, node++) {
        UINT f = d.Freq[i] + d.Freq[i + 1];
        // Stops at i + 1 at the latest, since f is at least Freq[i + 1].
        UINT k = node - 1;
        while (f < d.Freq[k]) k--;
        k++;
        memmove(&d.Freq[k + 1], &d.Freq[k], (node - k) * sizeof d.Freq[0]);
        memmove(&d.Child[k + 1], &d.Child[k], (node - k) * sizeof d.Child[0]);
        d.Freq[k] = (WORD)f;
        d.Child[k] = (WORD)i;
    }
    for (UINT i = 0; i < NODE_COUNT; i++) {
        UINT k = d.Child[i];
        d.Parent[k] = (WORD)i;
        if (k < NODE_COUNT) d.Parent[k + 1] = (WORD)i;
    }
    OutdateTop();
}

// The last node of the run of nodes of frequency f that starts at `first`, looked at four
// at a time: the zero 16-bit lanes of the difference are the nodes still in the run. The
// sentinels from Freq[627] on end every run below the root.
static inline UINT LastOfRun(UINT first, UINT f)
{
    const ULONGLONG fourOfRun = 0x0001000100010001ull * f;
    UINT last = first;
    for (;;) {
        ULONGLONG four;
        memcpy(&four, &PayloadDecoder.Freq[last + 1], sizeof four);
        four ^= fourOfRun;
        if (four != 0) return last + ((UINT)std::countr_zero(four) >> 4);
        last += 4;
    }
}

// How many of the 16 nodes after n have frequency f; as frequencies never decrease, they are
// the first ones. 16 means the run may go on.
static inline UINT RunAfter(UINT n, UINT f)
{
    const WORD* next = &PayloadDecoder.Freq[n + 1];
    __m128i same = _mm_set1_epi16((short)f);
    __m128i low = _mm_cmpeq_epi16(_mm_loadu_si128((const __m128i*)next), same);
    __m128i high = _mm_cmpeq_epi16(_mm_loadu_si128((const __m128i*)(next + 8)), same);
    UINT equal = (UINT)_mm_movemask_epi8(_mm_packs_epi16(low, high));
    return (UINT)std::countr_one(equal);
}

// Exchanges the subtrees at nodes n and l; node l gets frequency k. With l equal to n it
// only sets the frequency.
static inline void ExchangeNodes(UINT n, UINT l, UINT k)
{
    PayloadDecoderState& d = PayloadDecoder;
    d.Freq[n] = d.Freq[l];
    d.Freq[l] = (WORD)k;
    UINT i = d.Child[n];
    UINT j = d.Child[l];
    d.Child[l] = (WORD)i;
    d.Child[n] = (WORD)j;
    // A leaf has one Parent entry, an internal node's children two; writing the leaf's entry
    // twice spares an unpredictable branch.
    d.Parent[i] = (WORD)l;
    d.Parent[i + (i < NODE_COUNT)] = (WORD)l;
    d.Parent[j] = (WORD)n;
    d.Parent[j + (j < NODE_COUNT)] = (WORD)n;
}

// Counts one more occurrence of symbol s on every node from its leaf to the root, moving a
// node that now outweighs its successors past them to keep the frequencies in order.
static inline void UpdateHuffmanTree(UINT s)
{
    PayloadDecoderState& d = PayloadDecoder;
    if (d.Freq[ROOT_NODE] == MAX_FREQ) RebuildHuffmanTree();
    UINT n = d.Parent[s + NODE_COUNT];
    if (d.LeafAlwaysExchanged) {
        // In data where the leaf moves past others about as often as not, a branch on it
        // would guess wrong at every other symbol: the leaf is exchanged every time, with
        // itself when it stays, and the loop below starts at its parent.
        UINT f = d.Freq[n];
        UINT run = RunAfter(n, f);
        UINT l = n + run;
        if (run == 16) l = LastOfRun(n + 16, f);
        // Bitwise, not short-circuit, operators: no more branches to guess.
        bool outdates = (run > 0) & ((d.TopReads[n] == d.TopGeneration) | (d.TopReads[l] == d.TopGeneration));
        ExchangeNodes(n, l, f + 1);
        if (outdates) OutdateTop();
        d.LeafMoves += run > 0;
        n = d.Parent[l];  // never the root's 0: l is not the root
    } else {
        d.LeafMoves += d.Freq[n] == d.Freq[n + 1];
    }
    if (--d.LeafUpdatesLeft == 0) {
        d.LeafAlwaysExchanged = d.LeafMoves > LEAF_SAMPLE_MOVES;
        d.LeafMoves = 0;
        d.LeafUpdatesLeft = LEAF_SAMPLE_SIZE;
    }
    do {
        UINT k = ++d.Freq[n];
        if (k > d.Freq[n + 1]) {
            UINT l = LastOfRun(n + 1, k - 1);
            if (d.TopReads[n] == d.TopGeneration || d.TopReads[l] == d.TopGeneration) OutdateTop();
            ExchangeNodes(n, l, k);
            n = l;
        }
        n = d.Parent[n];
    } while (n != 0);
}

// Walks the tree from the root along the TOP_BITS bits `index` for the look-up entry.
static void FillTopEntry(UINT index)
{
    PayloadDecoderState& d = PayloadDecoder;
    UINT node = ROOT_NODE;
    UINT bits = 0;
    while (bits < TOP_BITS && d.Child[node] < NODE_COUNT) {
        d.TopReads[node] = d.TopGeneration;
        node = d.Child[node] + ((index >> (TOP_BITS - 1 - bits)) & 1);
        bits++;
    }
    d.Top[index].Node = (WORD)node;
    d.Top[index].Bits = (BYTE)bits;
    d.Top[index].Stamp = d.TopGeneration;
}

// The next literal or match length, by the tree as it stands; the window must hold the
// code's bits.
static inline UINT FindSymbol(BitWindow& bits)
{
    PayloadDecoderState& d = PayloadDecoder;
    UINT index = PeekBits(bits, TOP_BITS);
    if (d.Top[index].Stamp != d.TopGeneration) FillTopEntry(index);
    DropBits(bits, d.Top[index].Bits);
    UINT next = d.Child[d.Top[index].Node];
    while (next < NODE_COUNT) next = d.Child[next + ReadBit(bits)];
    return next - NODE_COUNT;
}

// A match's position: the distance back from WindowPosition minus one, 0 to 4095.
static inline UINT DecodeMatchPosition(BitWindow& bits)
{
    if (bits.Count < POSITION_BITS) TopUpBits(bits);
    UINT code = PeekBits(bits, POSITION_BITS);
    UINT prefix = code >> 6;
    UINT length = Position.CodeLength[prefix];
    UINT low = (code >> (8 - length)) & 0x3F;
    DropBits(bits, length + 6);
    return ((UINT)Position.UpperBits[prefix] << 6) | low;
}

// ---- Output ----

// Writes `count` decoded bytes from the window and reports what the write stored.
static void WriteOutput(DWORD count)
{
    PayloadDecoderState& d = PayloadDecoder;
    // A write that fails part way (a full disk) still reports what it stored.
    DWORD stored = 0;
    WriteFile(d.OutputFile, d.Window + d.BlockStart, count, &stored, NULL);
    if (stored > count) stored = count;
    d.OutputStored += stored;
    d.BlockStart += count;
    if (d.ProgressReport) d.ProgressReport(d.Page, stored);
}

// Moves the ring's history and the unwritten bytes back to the start of the window.
static void SlideWindow()
{
    PayloadDecoderState& d = PayloadDecoder;
    DWORD keepFrom = d.WindowPosition - RING_SIZE;
    if (d.BlockStart < keepFrom) keepFrom = d.BlockStart;
    memmove(d.Window, d.Window + keepFrom, d.WindowPosition - keepFrom);
    d.WindowPosition -= keepFrom;
    d.BlockStart -= keepFrom;
}

// Copies `length` bytes from `distance` back, one after the other as the format defines, so
// that a match that starts fewer than `length` bytes back repeats what it produces.
static inline void CopyMatch(DWORD distance, DWORD length)
{
    PayloadDecoderState& d = PayloadDecoder;
    BYTE* to = d.Window + d.WindowPosition;
    const BYTE* from = to - distance;
    // Each step reads only bytes already final. The 16-byte steps always store MAX_MATCH
    // rounded up, so that their count is no branch to guess; the 8-byte steps may store up
    // to 7 bytes past the match. Both stay in the room the window keeps free.
    if (distance >= 16) {
        for (DWORD done = 0; done < MAX_MATCH; done += 16) memcpy(to + done, from + done, 16);
    } else if (distance >= 8) {
        for (DWORD done = 0; done < length; done += 8) memcpy(to + done, from + done, 8);
    } else if (distance == 1) {
        memset(to, *from, length);
    } else {
        for (DWORD i = 0; i < length; i++) to[i] = from[i];
    }
    d.WindowPosition += length;
}

// ---- The stream ----

void DecodePayload(HWND page, const BYTE* stream, DWORD streamLength, DWORD outputLength,
                   HANDLE outputFile, ProgressReportProc progressReport)
{
    PayloadDecoderState& d = PayloadDecoder;
    d.InputCursor = stream;
    d.InputRemaining = streamLength;
    d.InputPadding = 0;
    d.StreamLength = streamLength;
    d.OutputRemaining = outputLength;
    d.Page = page;
    d.OutputFile = outputFile;
    d.ProgressReport = progressReport;
    d.OutputStored = 0;
    d.OutputFill = 0;
    d.BitBuffer = 0;
    d.BitCount = 0;
    if (outputLength == 0) return;

    ResetHuffmanTree();
    // The ring before the first byte: positions 4036 to 4095 (zeros here, so that a damaged
    // stream that reads them decodes the same every time), then 4036 spaces.
    memset(d.Window, 0, RING_SIZE - RING_PREFILL);
    memset(d.Window + (RING_SIZE - RING_PREFILL), ' ', RING_PREFILL);
    d.WindowPosition = RING_SIZE;
    d.BlockStart = RING_SIZE;

    BitWindow bits = {d.BitBuffer, d.BitCount};
    TopUpBits(bits);
    UINT s = FindSymbol(bits);
    // Each symbol's tree update comes after its output and just before the next code is
    // found (measured faster, most of all on text); the last symbol's would change nothing.
    for (;;) {
        DWORD produced;
        if (s < 256) {
            d.Window[d.WindowPosition++] = (BYTE)s;
            produced = 1;
        } else {
            DWORD distance = DecodeMatchPosition(bits) + 1;
            produced = s - 256 + MATCH_THRESHOLD + 1;
            // A damaged stream may end on a match longer than what is still owed.
            if (produced > d.OutputRemaining) produced = d.OutputRemaining;
            CopyMatch(distance, produced);
        }
        d.OutputRemaining -= produced;
        d.OutputFill += produced;
        if (d.OutputFill >= OUTPUT_BLOCK) {
            WriteOutput(OUTPUT_BLOCK);
            d.OutputFill -= OUTPUT_BLOCK;
        }
        if (d.WindowPosition > WINDOW_LIMIT) SlideWindow();
        if (d.OutputRemaining == 0) break;
        if (bits.Count < 40) TopUpBits(bits);
        UpdateHuffmanTree(s);
        s = FindSymbol(bits);
    }
    d.BitBuffer = bits.Buffer;
    d.BitCount = bits.Count;
    if (d.OutputFill > 0) {
        WriteOutput(d.OutputFill);
        d.OutputFill = 0;
    }
}

void GetPayloadCheck(PayloadCheck* check)
{
    const PayloadDecoderState& d = PayloadDecoder;
    ULONGLONG taken = (ULONGLONG)(d.StreamLength - d.InputRemaining) + d.InputPadding;
    ULONGLONG usedBits = taken * 8 - d.BitCount;
    ULONGLONG used = (usedBits + 7) / 8;
    check->InputUsed = used < d.StreamLength ? (DWORD)used : d.StreamLength;
    ULONGLONG missing = used - check->InputUsed;
    check->InputMissing = missing > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)missing;
    check->InputLeftOver = d.StreamLength - check->InputUsed;
    check->OutputStored = d.OutputStored;
}
