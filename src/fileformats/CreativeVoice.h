#pragma once
// The layout of Creative Voice files: a 26-byte header and typed blocks of 8-bit unsigned PCM.
#include <cstdint>

namespace tarkel {

class ByteSink;
class ByteSource;
class WaveAudio;

// Reads a Creative Voice file from an already opened source into `wave` (false without a
// message when it does not start like one); shows its own message on other failures.
bool ReadVoc(WaveAudio& wave, ByteSource& in);
// Writes frames `first` up to, not including, `end` of an 8-bit PCM `wave` as a Creative Voice
// file.
bool WriteVoc(const WaveAudio& wave, ByteSink& out, uint32_t first, uint32_t end);

inline constexpr uint32_t kVocHeaderSize = 26;
inline constexpr char kVocSignature[] = "Creative Voice File";  // 19 bytes, then 0x1A
inline constexpr uint8_t kVocSignatureEnd = 0x1A;
inline constexpr uint16_t kVocVersion = 0x010A;
inline constexpr uint16_t kVocCheck = 0x1129;  // ~version + 0x1234

// Block types.
inline constexpr uint8_t kVocTerminator = 0;
inline constexpr uint8_t kVocSoundData = 1;
inline constexpr uint8_t kVocContinuation = 2;
inline constexpr uint8_t kVocSilence = 3;
inline constexpr uint8_t kVocMarker = 4;
inline constexpr uint8_t kVocText = 5;
inline constexpr uint8_t kVocRepeatStart = 6;
inline constexpr uint8_t kVocRepeatEnd = 7;
inline constexpr uint8_t kVocExtended = 8;
inline constexpr uint8_t kVocSoundDataNew = 9;  // rate, bits and channels given directly

// Fields of a type-9 block before its samples: rate (4), bits (1), channels (1), codec (2),
// reserved (4).
inline constexpr uint32_t kVocNewFieldsLength = 12;
inline constexpr uint16_t kVocCodecPcm8 = 0;    // 8-bit unsigned
inline constexpr uint16_t kVocCodecPcm16 = 4;   // 16-bit signed little-endian

inline constexpr uint32_t kVocMaxBlockLength = 0xFFFFFF;  // a 3-byte length
// Sample bytes of one sound-data block: its length also counts time constant and pack.
inline constexpr uint32_t kVocMaxSoundBytes = kVocMaxBlockLength - 2;  // 2^24 - 3
inline constexpr uint32_t kVocExtendedLength = 4;

// Frames per second of a type-1 time constant: 1000000 / (256 - t).
uint32_t VocRateFromTimeConstant(uint8_t t);
// The rate a type-1 time constant stands for: the standard rate whose own constant it is (the
// whole microseconds of 44100 Hz, 22, give 45454 Hz), else VocRateFromTimeConstant.
uint32_t VocRateOfTimeConstant(uint8_t t);
// Frames per second of a type-8 time constant: 256000000 / (65536 - t), halved for stereo.
uint32_t VocRateFromExtendedConstant(uint16_t t, uint16_t channels);
// The time constants the writer stores, kept within their fields.
uint8_t VocTimeConstantFor(uint32_t rate);
uint16_t VocStereoConstantFor(uint32_t rate);
// The rate a read file is given: the nearest standard rate (8000, 11025, 16000, 22050, 32000,
// 44100, 48000) when it lies within 2 % of it, the rate itself otherwise. Time constants only
// approximate a rate (165 gives 10989 for 11025).
uint32_t SnapVocRate(uint32_t rate);
// The rate that a sound written at `rate` in `channels` channels has when it is read back.
uint32_t VocRateReadBack(uint32_t rate, uint16_t channels);

}  // namespace tarkel
