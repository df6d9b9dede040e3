// The connect service's requests, replies and queue.
#include "net/connect_service.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(ConnectService, RequestsCarryEncodedNamesAndKeepTheBars) {
  EXPECT_EQ(ConnectRequest("games.example", "Ann Lee", "G|A"),
            "GET /Connect.php?Ann%20Lee|G|A HTTP/1.1\nhost: games.example\nConnection: Keep-Alive\nLanguage: "
            "FR\n\n");
  EXPECT_EQ(EncodeServiceField("a\r\nb%\xE9"), "a%0D%0Ab%25%E9");
  EXPECT_EQ(CreateChallengeCommand("Cup", {1, 0, 5, 2, 2, 0, 1, 0, 0, 0, 0}),
            "D|C|Cup|W|1|0|5|2|2|0|1|0|0|0|0");
}

TEST(ConnectService, TheHostLineKeepsAPortOtherThan80) {
  EXPECT_EQ(ParseServiceHost("127.0.0.1:8080").HostLine(), "127.0.0.1:8080");
  EXPECT_EQ(ParseServiceHost("127.0.0.1:8080").Port, 8080);
  EXPECT_EQ(ParseServiceHost("games.example").HostLine(), "games.example");
  EXPECT_EQ(ParseServiceHost("games.example:80").HostLine(), "games.example");
  EXPECT_EQ(ParseServiceHost("games.example:x").Port, 80);
}

TEST(ConnectService, RepliesAreWholeByLengthOrClose) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n";
  EXPECT_FALSE(ServiceReplyComplete(head + "abc", false));
  EXPECT_TRUE(ServiceReplyComplete(head + "abcde", false));
  EXPECT_FALSE(ServiceReplyComplete("HTTP/1.1 200 OK\r\n\r\nbody", false));
  EXPECT_TRUE(ServiceReplyComplete("HTTP/1.1 200 OK\r\n\r\nbody", true));
}

TEST(ConnectService, AReplyIsWholeAtTheSameByteHoweverItWasCut) {
  // Headers ended by LF alone, a body holding a CR LF blank line of its own.
  const std::string reply = "HTTP/1.1 200 OK\nContent-Length: 8\n\nab\r\n\r\ncd";
  EXPECT_TRUE(ServiceReplyComplete(reply, false));
  for (size_t cut = 1; cut < reply.size(); ++cut) {
    SCOPED_TRACE(cut);
    ServiceReplyReader reader;
    EXPECT_EQ(reader.Append(std::string_view(reply).substr(0, cut)), ServiceReplyReader::State::Partial);
    EXPECT_EQ(reader.Append(std::string_view(reply).substr(cut)), ServiceReplyReader::State::Whole);
  }
}

TEST(ConnectService, AReplyLargerThanAnyServiceSendsIsDropped) {
  ServiceReplyReader announced;
  EXPECT_EQ(announced.Append("HTTP/1.1 200 OK\r\nContent-Length: 268435456\r\n\r\n"),
            ServiceReplyReader::State::TooLarge);
  ServiceReplyReader endless;
  ServiceReplyReader::State state = endless.Append("HTTP/1.1 200 OK\r\n\r\n");
  const std::string piece(4096, 'x');
  for (size_t sent = 0; sent <= kMostServiceReplyBytes && state == ServiceReplyReader::State::Partial;
       sent += piece.size())
    state = endless.Append(piece);
  EXPECT_EQ(state, ServiceReplyReader::State::TooLarge);
  EXPECT_LE(endless.Text().size(), kMostServiceReplyBytes);
}

TEST(ConnectService, RepliesGiveNamesPlayersAndChallenges) {
  const std::string ok = "HTTP/1.1 200 OK\r\n\r\n";
  EXPECT_EQ(ParseServiceReply(ok + ">>>Com:C New User Name -----Ann2-----").NewName, "Ann2");
  EXPECT_FALSE(ParseServiceReply(ok + ">>>Com:C User Name free -----Ann2-----").NewName);
  EXPECT_FALSE(ParseServiceReply(ok + "Internal Server Error >>>Com:C New User Name -----X-----").Available);
  // A name no peer could say is no name for the player either.
  const ServiceReply forged = ParseServiceReply(ok + ">>>Com:C New User Name -----Bob|7|1>>>>>Eve-----");
  EXPECT_FALSE(forged.NewName);
  EXPECT_EQ(forged.RefusedName, "Bob|7|1>>>>>Eve");

  const std::string player = "|0|10.0.0.2|11078|Paris|fr|France|a|b|c|I|Y|x";
  const ServiceReply players =
      ParseServiceReply(ok + ">>>Com:G>>>>>>Bob" + player + "\r\n >>>>>>Cid" + player +
                        "\r\n >>>>>>Dan|0|short\r\n >>>>>>E>ve" + player + "\r\n >>>>>>");
  ASSERT_EQ(players.Players.size(), 2u); // the third record lacks fields, the fourth a name
  EXPECT_EQ(players.Players[0].Name, "Bob");
  EXPECT_EQ(players.Players[0].Ip, 0x0A000002u);
  EXPECT_EQ(players.Players[0].Status, 4);
  EXPECT_EQ(players.Players[1].Fields[0], "Paris");

  const ServiceReply challenges =
      ParseServiceReply(ok + ">>>Com:L>>>>>>Cup|3|Ann|x|1|0|5|2|2|0|1|0|0|0|0>>>>>>");
  ASSERT_EQ(challenges.Challenges.size(), 1u);
  EXPECT_EQ(challenges.Challenges[0].Creator, "Ann");
  EXPECT_EQ(challenges.Challenges[0].Parameters[2], 5);
}

TEST(ConnectService, OneInFlightTenWaitingAndNoOverflow) {
  ServiceQueue queue;
  EXPECT_FALSE(queue.Submit("G|A", false)); // not listening: it waits
  EXPECT_EQ(queue.Submit("L|A", true), "G|A");
  for (int i = 0; i < 12; ++i)
    queue.Submit(std::string("C").append(std::to_string(i)), true);
  EXPECT_EQ(queue.Waiting(), kServiceQueue); // L|A and C0..C8; the rest dropped
  EXPECT_EQ(queue.ReplyHandled(), "L|A");
  // A request that fails hands on the next one waiting.
  EXPECT_EQ(queue.Failed(), "C0");
  EXPECT_EQ(queue.State(), 1);
  EXPECT_EQ(queue.Failed(), "C1");
  while (queue.Failed()) {
  }
  EXPECT_EQ(queue.State(), 0);
  EXPECT_EQ(queue.Waiting(), 0);
}

} // namespace
} // namespace quorbel
