#include "TraceWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "WorldState.h"

namespace {

class TJson {
 public:
  explicit TJson(std::string& Out) : out_(Out) {}
  TJson& Null() {
    Separate();
    out_ += "null";
    return *this;
  }
  TJson& Key(const char* Name) {
    Separate();
    out_ += '"';
    out_ += Name;
    out_ += "\":";
    pendingValue_ = true;  // the value follows without a comma
    return *this;
  }
  TJson& Int(long long Value) {
    Separate();
    char Text[24];
    const auto R = std::to_chars(Text, Text + sizeof Text, Value);
    out_.append(Text, R.ptr);
    return *this;
  }
  TJson& Float(float Value) {
    Separate();
    AppendFloat(out_, Value);
    return *this;
  }
  TJson& Str(const char* Text) {
    Separate();
    out_ += '"';
    for (const char* p = Text; *p; ++p) {
      const unsigned char c = static_cast<unsigned char>(*p);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += char(c);
      } else if (c < 0x20) {
        char Escaped[8];
        std::snprintf(Escaped, sizeof Escaped, "\\u%04x", c);
        out_ += Escaped;
      } else {
        out_ += char(c);
      }
    }
    out_ += '"';
    return *this;
  }
  TJson& Open(char Bracket) {
    Separate();
    out_ += Bracket;
    first_ = true;
    return *this;
  }
  TJson& Close(char Bracket) {
    out_ += Bracket;
    first_ = false;
    return *this;
  }

 private:
  // A comma before every value or key but the first of its object or array.
  void Separate() {
    if (pendingValue_) {
      pendingValue_ = false;
    } else if (!first_) {
      out_ += ',';
    }
    first_ = false;
  }
  std::string& out_;
  bool first_ = true;
  bool pendingValue_ = false;
};

void Position(TJson& J, const TBlob& B) {
  J.Key("x").Float(B.Position.x).Key("y").Float(B.Position.y).Key("z").Float(B.Position.z);
}

template <typename Each>
void List(TJson& J, const char* Name, const TOwned<TBlobList>& L, Each Write) {
  J.Key(Name).Open('[');
  if (L)
    for (const auto& B : *L) {
      J.Open('{');
      Write(*B);
      J.Close('}');
    }
  J.Close(']');
}

void WriteWorld(TJson& J, const TWorldState& F) {
  J.Key("world").Open('{');
  List(J, "obstacles", F.Obstacles, [&](const TBlob& B) {
    J.Key("x").Float(B.Position.x).Key("z").Float(B.Position.z).Key("r").Float(B.Radius);
  });
  List(J, "teleports", F.Teleports,
       [&](const TBlob& B) { J.Key("x").Float(B.Position.x).Key("z").Float(B.Position.z); });
  List(J, "floorTiles", F.FloorTiles,
       [&](const TBlob& B) { J.Key("x").Float(B.Position.x).Key("z").Float(B.Position.z); });
  J.Close('}');
}

const char* SoundName(TSoundEvent::TOp Op) {
  switch (Op) {
    case TSoundEvent::Play: return "play";
    case TSoundEvent::Stop: return "stop";
    case TSoundEvent::Pan: return "pan";
    case TSoundEvent::Restart: return "restart";
  }
  return "?";
}

}  // namespace

void AppendFloat(std::string& Out, float Value) {
  if (!std::isfinite(Value)) {
    Out += "null";
    return;
  }
  char Text[32];
  const auto R = std::to_chars(Text, Text + sizeof Text, Value);
  Out.append(Text, R.ptr);
}

const std::string& TTraceWriter::FormatFrame(long Frame, const TWorldState& F, const TSoundEvent* Sounds,
                                             size_t SoundCount, bool World) {
  line_.clear();
  TJson J(line_);
  J.Open('{');
  J.Key("frame").Int(Frame);
  J.Key("title").Int(F.OnTitleScreen ? 1 : 0);
  J.Key("titleFrames").Int(F.TitleFrames);
  J.Key("gameOver").Int(F.GameOverTimer);
  J.Key("level").Int(F.Level);
  J.Key("levelKills").Int(F.LevelKills);
  J.Key("released").Open('[');
  for (int32_t R : F.Released) J.Int(R);
  J.Close(']');
  J.Key("colourScheme").Int(F.ColourScheme);
  J.Key("score").Int(F.Score);
  J.Key("highScore").Int(F.HighScore);
  J.Key("hits").Open('[').Int(F.HitsByAlien).Int(F.HitsByRocket).Int(F.HitsByAlienShot).Close(']');
  J.Key("touching").Int(F.TouchingObstacle ? 1 : 0);
  J.Key("radarSweep").Float(F.RadarSweep);
  J.Key("radarAlpha").Float(F.RadarAlpha);
  J.Key("flat").Int(F.FlatShading ? 1 : 0);
  J.Key("wireframe").Int(F.Wireframe ? 1 : 0);
  J.Key("player");
  if (F.Player) {
    J.Open('{');
    Position(J, *F.Player);
    J.Key("heading").Float(F.Player->Rotation.y).Key("speed").Float(F.Player->Speed);
    J.Close('}');
  } else {
    J.Null();
  }
  List(J, "aliens", F.Aliens, [&](const TBlob& B) {
    J.Key("kind").Int(B.Kind).Key("state").Int(B.State).Key("active").Int(B.Active ? 1 : 0);
    Position(J, B);
    J.Key("heading").Float(B.Rotation.y).Key("speed").Float(B.Speed).Key("bob").Float(B.Bob);
    J.Key("fireDelay").Int(B.FireDelay).Key("deathTimer").Int(B.DeathTimer);
  });
  List(J, "rockets", F.Rockets, [&](const TBlob& B) {
    J.Key("state").Int(B.State).Key("active").Int(B.Active ? 1 : 0);
    Position(J, B);
    J.Key("heading").Float(B.Rotation.y).Key("speed").Float(B.Speed);
    J.Key("timer").Int(B.Timer).Key("deathTimer").Int(B.DeathTimer);
  });
  List(J, "playerShots", F.PlayerShots, [&](const TBlob& B) {
    J.Key("active").Int(B.Active ? 1 : 0);
    Position(J, B);
    J.Key("heading").Float(B.Rotation.y).Key("roll").Float(B.Roll);
  });
  List(J, "alienShots", F.AlienShots, [&](const TBlob& B) {
    J.Key("active").Int(B.Active ? 1 : 0).Key("state").Int(B.State);
    Position(J, B);
    J.Key("heading").Float(B.Rotation.y);
  });
  J.Key("fragments").Open('{').Key("active").Int(F.Fragments ? TBlob::CountActive(*F.Fragments) : 0).Close('}');
  J.Key("sounds").Open('[');
  for (size_t i = 0; i < SoundCount; ++i) {
    J.Open('[').Str(SoundName(Sounds[i].Op)).Int(Sounds[i].Item);
    if (Sounds[i].Op == TSoundEvent::Pan) J.Int(Sounds[i].Value);
    J.Close(']');
  }
  J.Close(']');
  J.Key("caption").Str(F.Caption.c_str());
  if (World) WriteWorld(J, F);
  J.Close('}');
  return line_;
}
