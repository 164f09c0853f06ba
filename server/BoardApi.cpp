#include "BoardApi.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <nlohmann/json.hpp>

#include "BoardPage.h"
#include "BoardPeriods.h"
#include "GameRules.h"
#include "RateLimit.h"

using nlohmann::json;

namespace {

int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Reply(httplib::Response& Res, int Status, const json& Body) {
  Res.status = Status;
  Res.set_content(Body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

void Error(httplib::Response& Res, int Status, const std::string& Why) { Reply(Res, Status, json{{"error", Why}}); }

// Runs a handler; a database that cannot be used answers 503 with the reason.
template <typename F>
void Guarded(httplib::Response& Res, F&& Handler) {
  try {
    Handler();
  } catch (const EStorageDown& e) {
    Error(Res, 503, e.what());
  }
}

json StateJson(IStorage& Storage, const TGameState& G) {
  json J{{"id", G.Id}, {"name", G.Name}, {"state", G.State}};
  if (G.State == "refused") J["reason"] = G.Reason;
  if (G.State != "ranked") return J;
  J["score"] = G.Score;
  J["level"] = G.Level;
  J["frames"] = G.Frames;
  J["date"] = DateOf(G.RankedAt);
  json Places = json::object();
  for (const char* Period : {"all", "month", "week"}) {
    int64_t Since = 0;
    PeriodStart(Period, NowSeconds(), Since);
    const int64_t Place = Storage.Place(G, Since);
    Places[Period] = Place > 0 ? json(Place) : json(nullptr);
  }
  J["places"] = Places;
  return J;
}

// A whole number in 1..High from a query parameter; Fallback when absent.
bool QueryCount(const httplib::Request& Req, const char* Name, int64_t Fallback, int64_t High, int64_t& Value) {
  if (!Req.has_param(Name)) {
    Value = Fallback;
    return true;
  }
  const std::string Text = Req.get_param_value(Name);
  if (Text.empty() || Text.size() > 9 || !std::all_of(Text.begin(), Text.end(), [](char C) { return C >= '0' && C <= '9'; }))
    return false;
  Value = std::stoll(Text);
  return Value >= 1 && Value <= High;
}

// The address a request is counted against.
std::string AddressOf(const httplib::Request& Req, bool TrustProxy) {
  const bool Local = Req.remote_addr == "127.0.0.1" || Req.remote_addr == "::1";
  if (TrustProxy && Local && Req.has_header("X-Forwarded-For")) {
    std::string Chain = Req.get_header_value("X-Forwarded-For");
    const size_t Comma = Chain.rfind(',');
    std::string Last = Comma == std::string::npos ? Chain : Chain.substr(Comma + 1);
    Last.erase(0, Last.find_first_not_of(' '));
    if (!Last.empty() && Last.size() <= 64) return Last;
  }
  return Req.remote_addr;
}

// Reads a game's body, unpacked, up to MaxUnpackedBytes; false when it unpacks to more.
bool ReadBody(const httplib::ContentReader& Reader, std::string& Body) {
  bool Over = false;
  Reader([&](const char* Data, size_t Length) {
    if (Body.size() + Length > MaxUnpackedBytes) {
      Over = true;
      return false;
    }
    Body.append(Data, Length);
    return true;
  });
  return !Over;
}

// Whether Body's arrays and objects nest deeper than a game's ever do: a
// deeply nested body would cost the parser far more memory than its size.
bool NestsTooDeep(const std::string& Body) {
  int Depth = 0;
  bool InText = false;
  for (size_t i = 0; i < Body.size(); ++i) {
    const char C = Body[i];
    if (InText) {
      if (C == '\\') ++i;
      else if (C == '"') InText = false;
    } else if (C == '"') {
      InText = true;
    } else if (C == '[' || C == '{') {
      if (++Depth > 4) return true;
    } else if (C == ']' || C == '}') {
      --Depth;
    }
  }
  return false;
}

// The game in a request's JSON, or why there is none.
bool ParseGame(const std::string& Body, TNewGame& Game, std::string& Fault) {
  if (NestsTooDeep(Body)) {
    Fault = "the body nests deeper than a game";
    return false;
  }
  const json J = json::parse(Body, nullptr, false);
  if (J.is_discarded() || !J.is_object()) {
    Fault = "the body is not a JSON object";
    return false;
  }
  const auto Name = J.find("name"), Demo = J.find("demo"), Score = J.find("score");
  if (Name == J.end() || !Name->is_string()) {
    Fault = "the game has no \"name\" text";
    return false;
  }
  if (Demo == J.end() || !Demo->is_string()) {
    Fault = "the game has no \"demo\" text";
    return false;
  }
  if (Score != J.end() && !Score->is_null()) {
    if (!Score->is_number_unsigned() || Score->get<uint64_t>() > 2000000000u) {
      Fault = "\"score\" is no whole number from 0 to 2000000000";
      return false;
    }
    Game.Claimed = Score->get<int64_t>();
  }
  Game.Name = Name->get<std::string>();
  Game.Demo = Demo->get<std::string>();
  return true;
}

struct TLimits {
  TLimits(int PerMinute, int SendsPerMinute) : Requests(PerMinute), Sends(SendsPerMinute) {}
  TRateLimit Requests;
  TRateLimit Sends;
};

// Refuses, before its body is read, a request that breaks a bound; true when it did.
bool RefusedAtTheDoor(const httplib::Request& Req, httplib::Response& Res, const TServerOptions& O, TLimits& Limits) {
  const std::string Address = AddressOf(Req, O.TrustProxy);
  const int64_t Now = NowMs();
  if (!Limits.Requests.Allow(Address, Now)) {
    Res.set_header("Retry-After", "60");
    Error(Res, 429, "too many requests from " + Address + "; try again in a minute");
    return true;
  }
  if (Req.method != "POST") return false;
  if (Req.has_header("Transfer-Encoding") || !Req.has_header("Content-Length")) {
    Error(Res, 411, "a game is sent with a Content-Length");
    return true;
  }
  const std::string Length = Req.get_header_value("Content-Length");
  if (Length.size() > 12 || std::stoull("0" + Length) > MaxBodyBytes) {
    Error(Res, 413, "a request body is at most 2 MB");
    return true;
  }
  const std::string Encoding = Req.get_header_value("Content-Encoding");
  if (!Encoding.empty() && Encoding != "gzip" && Encoding != "identity") {
    Error(Res, 415, "a body is sent as it is or with gzip");
    return true;
  }
  if (Req.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
    Error(Res, 415, "a game is sent as application/json");
    return true;
  }
  if (!Limits.Sends.Allow(Address, Now)) {
    Res.set_header("Retry-After", "60");
    Error(Res, 429, "too many games sent from " + Address + "; try again in a minute");
    return true;
  }
  return false;
}

}  // namespace

void MountBoard(httplib::Server& Server, IStorage& Storage, const TServerOptions& O,
                std::map<std::string, TServedFile> Page, std::function<void()> GameSent) {
  auto Limits = std::make_shared<TLimits>(O.RateLimit, O.SendLimit);
  Server.set_payload_max_length(MaxBodyBytes);

  Server.set_pre_routing_handler([&O, Limits](const httplib::Request& Req, httplib::Response& Res) {
    // A demo may hold any text in its comments: it is never read as a page.
    Res.set_header("X-Content-Type-Options", "nosniff");
    const std::string Origin = Req.get_header_value("Origin");
    const bool Listed = std::find(O.CorsOrigins.begin(), O.CorsOrigins.end(), Origin) != O.CorsOrigins.end();
    if (!Origin.empty() && Listed) {
      Res.set_header("Access-Control-Allow-Origin", Origin);
      Res.set_header("Vary", "Origin");
    }
    if (RefusedAtTheDoor(Req, Res, O, *Limits)) {
      // The body was not read: the client is told not to send another
      // request on this connection (what it sends next is read as one).
      Res.set_header("Connection", "close");
      return httplib::Server::HandlerResponse::Handled;
    }
    if (Req.method == "OPTIONS") {
      if (Listed) {
        Res.set_header("Access-Control-Allow-Methods", "GET, POST");
        Res.set_header("Access-Control-Allow-Headers", "Content-Type, Content-Encoding");
        Res.set_header("Access-Control-Max-Age", "86400");
      }
      Res.status = 204;
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });

  // At most this many games are read at once: each may unpack to 32 MB and
  // is copied a few times on its way to the database.
  constexpr int MaxGamesReading = 4;
  auto Reading = std::make_shared<std::atomic<int>>(0);
  Server.Post("/api/v1/games", [&Storage, GameSent, Reading](const httplib::Request&, httplib::Response& Res,
                                                             const httplib::ContentReader& Reader) {
    if (Reading->fetch_add(1) >= MaxGamesReading) {
      --*Reading;
      Res.set_header("Retry-After", "5");
      Res.set_header("Connection", "close");
      return Error(Res, 503, "the board is busy reading other games; try again in a few seconds");
    }
    struct TLeave {
      std::atomic<int>& Count;
      ~TLeave() { --Count; }
    } Leave{*Reading};
    std::string Body;
    if (!ReadBody(Reader, Body)) return Error(Res, 413, "a request body unpacks to at most 32 MB");
    TNewGame Game;
    std::string Fault;
    if (!ParseGame(Body, Game, Fault)) return Error(Res, 400, Fault);
    Fault = NameFault(Game.Name);
    if (Fault.empty()) Fault = DemoTextFault(Game.Demo);
    if (!Fault.empty()) return Reply(Res, 422, json{{"state", "refused"}, {"reason", Fault}});
    Game.Hash = DemoHash(Game.Demo);
    Game.SentAt = NowSeconds();
    Guarded(Res, [&] {
      const int64_t Id = Storage.Add(Game);
      GameSent();
      Res.set_header("Location", "/api/v1/games/" + std::to_string(Id));
      Reply(Res, 202, json{{"id", Id}, {"state", "queued"}});
    });
  });

  Server.Get(R"(/api/v1/games/(\d{1,18}))", [&Storage](const httplib::Request& Req, httplib::Response& Res) {
    Guarded(Res, [&] {
      const auto G = Storage.Game(std::stoll(Req.matches[1]));
      if (!G) return Error(Res, 404, "no such game");
      Res.set_header("Cache-Control", "no-store");
      Reply(Res, 200, StateJson(Storage, *G));
    });
  });

  Server.Get(R"(/api/v1/games/(\d{1,18})/demo)", [&Storage](const httplib::Request& Req, httplib::Response& Res) {
    Guarded(Res, [&] {
      const auto Demo = Storage.Demo(std::stoll(Req.matches[1]));
      if (!Demo) return Error(Res, 404, "no ranked game has that id");
      Res.set_header("Cache-Control", "public, max-age=86400");
      Res.set_content(*Demo, "text/plain; charset=us-ascii");
    });
  });

  Server.Get("/api/v1/board", [&Storage](const httplib::Request& Req, httplib::Response& Res) {
    const std::string Period = Req.has_param("period") ? Req.get_param_value("period") : "all";
    int64_t Since = 0, PageNumber = 0, PerPage = 0;
    if (!PeriodStart(Period, NowSeconds(), Since)) return Error(Res, 400, "period is all, month or week");
    if (!QueryCount(Req, "page", 1, 1000000, PageNumber) || !QueryCount(Req, "per_page", 20, 100, PerPage))
      return Error(Res, 400, "page is a whole number from 1, per_page from 1 to 100");
    Guarded(Res, [&] {
      int64_t Total = 0;
      const int64_t Offset = (PageNumber - 1) * PerPage;
      json Games = json::array();
      int64_t Place = Offset;
      for (const TBoardLine& L : Storage.Board(Since, Offset, PerPage, Total))
        Games.push_back(json{{"place", ++Place}, {"id", L.Id}, {"name", L.Name}, {"score", L.Score},
                             {"level", L.Level}, {"date", DateOf(L.RankedAt)}});
      Res.set_header("Cache-Control", "no-cache");
      Reply(Res, 200, json{{"period", Period}, {"page", PageNumber}, {"per_page", PerPage}, {"total", Total},
                           {"games", Games}});
    });
  });

  Server.Get("/", [](const httplib::Request&, httplib::Response& Res) {
    Res.set_header("Content-Security-Policy", "default-src 'self'; style-src 'self' 'unsafe-inline'; script-src 'self' 'unsafe-inline'");
    Res.set_content(BoardPageHtml(), "text/html; charset=utf-8");
  });

  auto Files = std::make_shared<std::map<std::string, TServedFile>>(std::move(Page));
  Server.Get(R"(/play/([A-Za-z0-9._-]*))", [Files](const httplib::Request& Req, httplib::Response& Res) {
    std::string Name = Req.matches[1];
    if (Name.empty()) Name = "skyrend.html";
    const auto It = Files->find(Name);
    if (It == Files->end()) return Error(Res, 404, "no such file");
    Res.set_content(It->second.Body, It->second.Type.c_str());
  });

  Server.set_error_handler([](const httplib::Request&, httplib::Response& Res) {
    if (Res.body.empty()) Error(Res, Res.status, Res.status == 404 ? "not found" : "the request cannot be served");
  });
}
