#include "Mp3.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <lame/lame.h>

bool WriteMp3(const StereoBuffer& Audio, const std::string& Path)
{
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> Lame(lame_init(), lame_close);
    if (!Lame)
        return false;
    lame_set_in_samplerate(Lame.get(), SampleRate);
    lame_set_out_samplerate(Lame.get(), SampleRate);
    lame_set_num_channels(Lame.get(), 2);
    lame_set_mode(Lame.get(), JOINT_STEREO);
    lame_set_VBR(Lame.get(), vbr_off);
    lame_set_brate(Lame.get(), 192);
    lame_set_quality(Lame.get(), 7);
    // No Xing/Info frame: it would need the file rewritten at the end.
    lame_set_bWriteVbrTag(Lame.get(), 0);
    if (lame_init_params(Lame.get()) < 0)
        return false;

    std::vector<unsigned char> Bytes;
    const size_t Chunk = 8192;
    std::vector<unsigned char> Buffer(Chunk * 5 / 4 + 7200);
    for (size_t At = 0; At < Audio.Frames(); At += Chunk) {
        int Count = int(std::min(Chunk, Audio.Frames() - At));
        int Made = lame_encode_buffer_ieee_float(Lame.get(), Audio.Left.data() + At, Audio.Right.data() + At, Count,
                                                 Buffer.data(), int(Buffer.size()));
        if (Made < 0)
            return false;
        Bytes.insert(Bytes.end(), Buffer.begin(), Buffer.begin() + Made);
    }
    int Made = lame_encode_flush(Lame.get(), Buffer.data(), int(Buffer.size()));
    if (Made < 0)
        return false;
    Bytes.insert(Bytes.end(), Buffer.begin(), Buffer.begin() + Made);

    std::FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File)
        return false;
    bool Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
    return std::fclose(File) == 0 && Ok;
}
