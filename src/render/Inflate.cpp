#include "render/Inflate.h"

#include <array>

namespace vantrel {

namespace {
constexpr int MaxBits = 15;
constexpr int LengthCodes = 286;
constexpr int DistanceCodes = 30;
constexpr int FixedLengthCodes = 288;

// Bits come least significant first; a read past the end marks the stream damaged.
class BitReader {
  public:
    BitReader(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}
    unsigned Bits(int count) {
        while (held_ < count) {
            if (next_ == length_) {
                failed_ = true;
                return 0;
            }
            buffer_ |= static_cast<unsigned long>(data_[next_++]) << held_;
            held_ += 8;
        }
        const unsigned value = static_cast<unsigned>(buffer_ & ((1ul << count) - 1));
        buffer_ >>= count;
        held_ -= count;
        return value;
    }
    // A stored block starts at the next whole byte.
    void AlignToByte() {
        buffer_ = 0;
        held_ = 0;
    }
    bool Byte(std::uint8_t& value) {
        if (next_ == length_)
            return failed_ = true, false;
        value = data_[next_++];
        return true;
    }
    bool Failed() const { return failed_; }

  private:
    const std::uint8_t* data_;
    std::size_t length_;
    std::size_t next_ = 0;
    unsigned long buffer_ = 0;
    int held_ = 0;
    bool failed_ = false;
};

// A canonical Huffman code: how many codes of each length, and the symbols in code order.
struct Code {
    std::array<short, MaxBits + 1> count{};
    std::array<short, FixedLengthCodes> symbol{};
};

// Builds the code from each symbol's length; false when the lengths over-subscribe it, or
// leave it incomplete with more than one code (only a lone code may be incomplete).
bool Build(Code& code, const short* lengths, int symbols) {
    code.count.fill(0);
    for (int s = 0; s < symbols; ++s)
        ++code.count[static_cast<std::size_t>(lengths[s])];
    if (code.count[0] == symbols)
        return true; // no codes at all: fine until one is read
    int left = 1;
    for (int length = 1; length <= MaxBits; ++length) {
        left = left * 2 - code.count[static_cast<std::size_t>(length)];
        if (left < 0)
            return false;
    }
    std::array<short, MaxBits + 1> offsets{};
    for (int length = 1; length < MaxBits; ++length)
        offsets[static_cast<std::size_t>(length + 1)] = static_cast<short>(
            offsets[static_cast<std::size_t>(length)] + code.count[static_cast<std::size_t>(length)]);
    for (int s = 0; s < symbols; ++s)
        if (lengths[s] != 0)
            code.symbol[static_cast<std::size_t>(offsets[static_cast<std::size_t>(lengths[s])]++)] =
                static_cast<short>(s);
    return left == 0 || symbols - code.count[0] == 1;
}

// The next symbol, or -1 when the bits match no code.
int Decode(BitReader& in, const Code& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length <= MaxBits; ++length) {
        value |= static_cast<int>(in.Bits(1));
        const int count = code.count[static_cast<std::size_t>(length)];
        if (value - first < count)
            return code.symbol[static_cast<std::size_t>(index + value - first)];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

constexpr short LengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr short LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr short DistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                    33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr short DistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                     6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
  public:
    Inflater(const std::uint8_t* packed, std::size_t length, std::size_t size)
        : in_(packed, length), out_(size) {}

    std::optional<std::vector<std::uint8_t>> Run() {
        bool last = false;
        while (!last) {
            last = in_.Bits(1) == 1;
            if (!Block(in_.Bits(2)) || in_.Failed())
                return std::nullopt;
        }
        if (written_ != out_.size())
            return std::nullopt;
        return std::move(out_);
    }

  private:
    bool Block(unsigned type) {
        switch (type) {
        case 0: return Stored();
        case 1: return Fixed();
        case 2: return Dynamic();
        default: return false;
        }
    }

    bool Put(std::uint8_t byte) {
        if (written_ == out_.size())
            return false;
        out_[written_++] = byte;
        return true;
    }

    bool Stored() {
        in_.AlignToByte();
        std::uint8_t b[4];
        for (std::uint8_t& byte : b)
            if (!in_.Byte(byte))
                return false;
        const unsigned length = b[0] | static_cast<unsigned>(b[1]) << 8;
        const unsigned complement = b[2] | static_cast<unsigned>(b[3]) << 8;
        if (length != (~complement & 0xFFFFu))
            return false;
        for (unsigned i = 0; i < length; ++i) {
            std::uint8_t byte = 0;
            if (!in_.Byte(byte) || !Put(byte))
                return false;
        }
        return true;
    }

    bool Fixed() {
        short lengths[FixedLengthCodes];
        for (int s = 0; s < FixedLengthCodes; ++s)
            lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        Code lengthCode, distanceCode;
        Build(lengthCode, lengths, FixedLengthCodes);
        for (short& length : lengths)
            length = 5;
        Build(distanceCode, lengths, DistanceCodes);
        return Codes(lengthCode, distanceCode);
    }

    bool Dynamic() {
        const int lengthCount = static_cast<int>(in_.Bits(5)) + 257;
        const int distanceCount = static_cast<int>(in_.Bits(5)) + 1;
        const int codeCount = static_cast<int>(in_.Bits(4)) + 4;
        if (lengthCount > LengthCodes || distanceCount > DistanceCodes)
            return false;
        static constexpr short Order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                            11, 4,  12, 3, 13, 2, 14, 1, 15};
        short lengths[LengthCodes + DistanceCodes] = {};
        for (int i = 0; i < codeCount; ++i)
            lengths[Order[i]] = static_cast<short>(in_.Bits(3));
        Code lengthsCode;
        if (!Build(lengthsCode, lengths, 19))
            return false;
        if (!ReadLengths(lengthsCode, lengths, lengthCount + distanceCount) || lengths[256] == 0)
            return false;
        Code lengthCode, distanceCode;
        return Build(lengthCode, lengths, lengthCount) &&
               Build(distanceCode, lengths + lengthCount, distanceCount) &&
               Codes(lengthCode, distanceCode);
    }

    // The code lengths of both codes, themselves coded, with runs of repeats and of zeros.
    bool ReadLengths(const Code& lengthsCode, short* lengths, int total) {
        int index = 0;
        while (index < total) {
            const int symbol = Decode(in_, lengthsCode);
            if (symbol < 0 || in_.Failed())
                return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<short>(symbol);
                continue;
            }
            short repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (index == 0)
                    return false;
                repeated = lengths[index - 1];
                times = 3 + static_cast<int>(in_.Bits(2));
            } else {
                times = symbol == 17 ? 3 + static_cast<int>(in_.Bits(3))
                                     : 11 + static_cast<int>(in_.Bits(7));
            }
            if (index + times > total)
                return false;
            while (times-- > 0)
                lengths[index++] = repeated;
        }
        return true;
    }

    bool Codes(const Code& lengthCode, const Code& distanceCode) {
        for (;;) {
            int symbol = Decode(in_, lengthCode);
            if (symbol < 0 || in_.Failed())
                return false;
            if (symbol < 256) {
                if (!Put(static_cast<std::uint8_t>(symbol)))
                    return false;
                continue;
            }
            if (symbol == 256)
                return true;
            symbol -= 257;
            if (symbol >= 29)
                return false;
            const std::size_t length = static_cast<std::size_t>(
                LengthBase[symbol] + static_cast<int>(in_.Bits(LengthExtra[symbol])));
            const int distanceSymbol = Decode(in_, distanceCode);
            if (distanceSymbol < 0 || distanceSymbol >= DistanceCodes)
                return false;
            const std::size_t distance = static_cast<std::size_t>(
                DistanceBase[distanceSymbol] +
                static_cast<int>(in_.Bits(DistanceExtra[distanceSymbol])));
            if (in_.Failed() || distance > written_ || length > out_.size() - written_)
                return false;
            for (std::size_t i = 0; i < length; ++i, ++written_)
                out_[written_] = out_[written_ - distance];
        }
    }

    BitReader in_;
    std::vector<std::uint8_t> out_;
    std::size_t written_ = 0;
};
} // namespace

std::optional<std::vector<std::uint8_t>> Inflate(const std::uint8_t* packed, std::size_t length,
                                                 std::size_t size) {
    if (!packed)
        return std::nullopt;
    return Inflater(packed, length, size).Run();
}

} // namespace vantrel
