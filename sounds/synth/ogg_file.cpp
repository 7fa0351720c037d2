#include "synth/ogg_file.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

// Samples handed to the encoder per analysis call.
constexpr int kEncodeBlock = 4096;

void WritePage(std::ofstream& file, const ogg_page& page) {
  file.write(reinterpret_cast<const char*>(page.header), page.header_len);
  file.write(reinterpret_cast<const char*>(page.body), page.body_len);
}

// Owns the libvorbis encoder state for one file.
class cVorbisEncoder {
 public:
  cVorbisEncoder(const cSound& sound, float quality) {
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, sound.ChannelCount(), sound.rate, quality) != 0)
      throw std::runtime_error("the Vorbis encoder refuses these settings");
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Drakmoor");
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    // A fixed serial number keeps the build reproducible.
    ogg_stream_init(&stream, 0x44524b4d);
  }
  ~cVorbisEncoder() {
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  cVorbisEncoder(const cVorbisEncoder&) = delete;
  cVorbisEncoder& operator=(const cVorbisEncoder&) = delete;

  void WriteHeaders(std::ofstream& file) {
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) WritePage(file, page);
  }

  // Feeds `frames` samples from `first` on; zero frames marks the end.
  void Feed(std::ofstream& file, const cSound& sound, std::size_t first, int frames) {
    if (frames > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, frames);
      for (int c = 0; c < sound.ChannelCount(); ++c)
        std::copy_n(sound.channels[c].begin() + std::ptrdiff_t(first), frames, buffer[c]);
    }
    vorbis_analysis_wrote(&dsp, frames);
    Drain(file);
  }

 private:
  void Drain(std::ofstream& file) {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream, &page) != 0) WritePage(file, page);
      }
    }
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) WritePage(file, page);
  }

  vorbis_info info{};
  vorbis_comment comment{};
  vorbis_dsp_state dsp{};
  vorbis_block block{};
  ogg_stream_state stream{};
};

}  // namespace

void WriteOgg(const std::string& path, const cSound& sound, float quality) {
  std::ofstream file(path, std::ios::binary);
  cVorbisEncoder encoder(sound, quality);
  encoder.WriteHeaders(file);
  for (std::size_t first = 0; first < sound.Frames(); first += kEncodeBlock) {
    const int frames = int(std::min<std::size_t>(kEncodeBlock, sound.Frames() - first));
    encoder.Feed(file, sound, first, frames);
  }
  encoder.Feed(file, sound, sound.Frames(), 0);
  if (!file) throw std::runtime_error("cannot write " + path);
}

cSound ReadOgg(const std::string& path) {
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) throw std::runtime_error("cannot decode " + path);
  const vorbis_info* info = ov_info(&vf, -1);
  cSound sound(int(info->rate), info->channels, 0);
  for (;;) {
    float** pcm = nullptr;
    int section = 0;
    const long frames = ov_read_float(&vf, &pcm, 4096, &section);
    if (frames == 0) break;
    if (frames < 0) {
      ov_clear(&vf);
      throw std::runtime_error("corrupt Vorbis data in " + path);
    }
    for (int c = 0; c < sound.ChannelCount(); ++c)
      sound.channels[c].insert(sound.channels[c].end(), pcm[c], pcm[c] + frames);
  }
  ov_clear(&vf);
  return sound;
}
