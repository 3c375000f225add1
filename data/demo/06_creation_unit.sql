-- Base creation unit: one month, starting on the 1st, not by team.
INSERT INTO "作成単位" ("作_区分", "作_単位", "作_単位数", "作_開始日", "作_チームF",
                      "作_作成From", "作_作成To", "作_備考") VALUES
  (1, 1, 1, '1', 0, '', '', '月単位で作成');
