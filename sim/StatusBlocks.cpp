#include "StatusBlocks.h"

#include <cmath>
#include <cstdint>

namespace tarvel {

namespace {

class BlockWriter {
public:
    BlockWriter(char kind) { Bytes = {'\x01', kind}; }
    void Byte(unsigned value) { Bytes.push_back(static_cast<char>(value & 0xFF)); }
    void Be16(std::int32_t value) {
        const auto bits = static_cast<std::uint16_t>(value);
        Byte(bits >> 8);
        Byte(bits);
    }
    void Be32(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        Byte(bits >> 24);
        Byte(bits >> 16);
        Byte(bits >> 8);
        Byte(bits);
    }
    void Tenths(float value) {
        Be32(static_cast<std::int32_t>(std::lround(static_cast<double>(value) * 10.0)));
    }
    std::string Bytes;
};

} // namespace

std::string SystemInfoBlock(const UnitInfo& info) {
    BlockWriter w(0x08);
    for (std::uint8_t b : info)
        w.Byte(b);
    return w.Bytes;
}

std::string InputStatusBlock(const InputSettings& in, char layout) {
    BlockWriter w(layout == 'F' ? 'F' : 'N');
    w.Byte(in.VideoLoaded);
    w.Byte(in.VideoLocked);
    w.Be32(in.Phase);
    w.Byte(in.InputAux1);
    w.Byte(in.InputAux2);
    w.Be32(in.HTotal);
    w.Be32(in.HPositionCentre);
    w.Be32(in.HPosition);
    w.Be32(in.VPositionCentre);
    w.Be32(in.VPosition);
    w.Be32(in.HActive);
    w.Be32(in.VActive);
    w.Byte(in.SyncSelect);
    w.Byte(in.InputTermination);
    for (float value : {in.OverallContrast, in.OverallBrightness, in.RedContrast, in.RedBrightness,
                        in.GreenContrast, in.GreenBrightness, in.BlueContrast, in.BlueBrightness})
        w.Tenths(value);
    if (layout != 'F') {
        w.Be32(in.HPositionLimit);
        w.Be32(in.VPositionLimit);
    }
    return w.Bytes;
}

std::string OutputStatusBlock(const OutputSettings& out, char layout) {
    const bool newLayout = layout != '@';
    BlockWriter w(newLayout ? 'B' : '@');
    for (std::uint8_t b :
         {out.OutputFormat, out.OutputFrameRate, out.OutputSync, out.ControlMode,
          out.ProjectorGroup, out.TotalProjectors, out.DataDoubling, out.ImageAlignment})
        w.Byte(b);
    w.Be32(out.DisplayOverlap);
    w.Tenths(out.BasicGamma);
    w.Be16(out.BasicFeatherOn);
    w.Tenths(out.LeftGamma);
    w.Be16(out.LeftFeatherOn);
    w.Tenths(out.RightGamma);
    w.Be16(out.RightFeatherOn);
    if (newLayout) {
        w.Be32(out.LeftGammaWidth);
        w.Be32(out.LeftGammaOffset);
        w.Be32(out.RightGammaWidth);
        w.Be32(out.RightGammaOffset);
    } else {
        w.Be32(out.LeftHaloWidth);
        w.Be32(out.LeftHaloOffset);
        w.Be32(out.RightHaloWidth);
        w.Be32(out.RightHaloOffset);
    }
    w.Byte(out.BlackLevel);
    w.Byte(out.TestPattern);
    w.Byte(out.OutputRaster);
    w.Byte(out.TestGrid);
    w.Be32(out.SeamMode);
    for (std::uint8_t gain : out.SeamGain)
        w.Byte(gain);
    w.Byte(out.SeamBridge);
    w.Byte(out.FeatherCurve);
    if (newLayout) {
        w.Byte(out.BridgeThreshold);
        w.Byte(0); // reserved
    }
    return w.Bytes;
}

} // namespace tarvel
